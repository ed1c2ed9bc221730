#include "trainingui/callsignreport.h"

#include "core/cp1251.h"
#include "training/receivecheck.h"
#include "trainingui/trainingstyle.h"

namespace kelvatron {

namespace {

QString character(std::string_view text, int pos) {
    return QString::fromStdString(fromCp1251(text.substr(pos, 1))).toHtmlEscaped();
}

QString coloured(const QColor& colour, const QString& text, bool underline) {
    return QStringLiteral("<span style=\"color:%1;%2\">%3</span>")
        .arg(trainingstyle::html(colour), underline ? "text-decoration:underline;" : "", text);
}

} // namespace

QString markedCopy(std::string_view sent, std::string_view typed) {
    const ReceiveCheck check = checkReceived(sent, typed);
    QString out;
    for (const AlignedSign& step : check.steps) {
        switch (step.op) {
        case AlignOp::Match:
            out += character(typed, step.typedPos);
            break;
        case AlignOp::Substitution:
            out += coloured(trainingstyle::kWrong, character(typed, step.typedPos), true);
            break;
        case AlignOp::Missed:
            out += coloured(trainingstyle::kMissed, QString(trainingstyle::kMissedMark), false);
            break;
        default:
            out += coloured(trainingstyle::kExtra, character(typed, step.typedPos), false);
        }
    }
    return out;
}

QString callsignFigure(const CallsignDrill& drill) {
    return QStringLiteral("Очков: %1, верно %2 из %3, наибольшая скорость %4 знаков в минуту")
        .arg(drill.score())
        .arg(drill.right())
        .arg(drill.answered())
        .arg(drill.topCpm());
}

QString callsignReportHtml(const CallsignDrill& drill, const std::vector<CallsignRun>& best,
                           int latest) {
    QString html = QStringLiteral("<p><b>%1</b></p>").arg(callsignFigure(drill).toHtmlEscaped());
    html += QStringLiteral("<table cellspacing=0 cellpadding=2><tr><th>№</th><th>Передан</th>"
                           "<th>Принят</th><th>зн/мин</th><th>очки</th></tr>");
    int n = 0;
    for (const CallsignAttempt& a : drill.attempts()) {
        const QString typed = a.typed.empty() ? coloured(trainingstyle::kMissed, "—", false)
                                              : markedCopy(a.sent, a.typed);
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td align=right>%4</td>"
                               "<td align=right>%5%6</td></tr>")
                    .arg(++n)
                    .arg(QString::fromStdString(a.sent).toHtmlEscaped(), typed)
                    .arg(a.cpm)
                    .arg(a.points)
                    .arg(a.repeated ? QStringLiteral(" (повтор)") : QString());
    }
    html += QStringLiteral("</table><p><b>Лучшие серии</b></p><ol>");
    for (int i = 0; i < int(best.size()); ++i) {
        const CallsignRun& r = best[i];
        const QString line = QStringLiteral("%1 очков, %2 из %3 верно, до %4 зн/мин, %5")
                                 .arg(r.score)
                                 .arg(r.right)
                                 .arg(r.total)
                                 .arg(r.topCpm)
                                 .arg(QString::fromStdString(r.date));
        html += i == latest ? QStringLiteral("<li><b>%1 — эта серия</b></li>").arg(line)
                            : QStringLiteral("<li>%1</li>").arg(line);
    }
    return html + QStringLiteral("</ol>");
}

} // namespace kelvatron
