// The spoken answers in the window: chosen in a " Голос" frame of their own (kept in the
// "Voice" settings group), spoken by the receive exercise, and offered to the course.
#include <QComboBox>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include "core/cp1251.h"
#include "keying/signnames.h"
#include "mainwindow/voiceoptions.h"
#include "render/rendertesting.h"
#include "settings/settingsbackend.h"
#include "support/fakespeech.h"
#include "support/formharness.h"
#include "support/tempfolder.h"
#include "training/lessonorder.h"
#include "trainingui/courseview.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tmemo.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

// The window with a fake voice.
struct VoicedWindow : FakeServices {
    VoicedWindow() {
        services.voice = fakeSpeech(log);
        form = std::make_unique<TForm1>(services);
    }
    FormControls& ui() { return FormAccess::controls(*form); }
    TrainingPanel& panel() { return FormAccess::training(*form); }

    SpeechLog log;
    std::unique_ptr<TForm1> form;
};

QString stored(const char* key) {
    std::unique_ptr<QSettings> settings = openUserSettings();
    return settings->value(QString::fromLatin1(key)).toString();
}

} // namespace

TEST(VoiceOptions, ChosenInAFrameOfTheirOwnAndKeptInTheirOwnGroup) {
    auto w = std::make_unique<VoicedWindow>();
    const VoiceOptionsView& view = w->panel().voiceView();
    w->ui().trainingMenu->click();
    view.switchLabel()->click();
    EXPECT_FALSE(view.frame()->isHidden());
    for (QWidget* control :
         std::initializer_list<QWidget*>{view.switchLabel(), view.momentBox(), view.pauseBox(),
                                         view.digitsBox(), view.latinBox(), view.airOption()})
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    view.momentBox()->setCurrentIndex(2);
    emit view.momentBox()->activated(2);
    view.pauseBox()->setValue(500);
    emit view.pauseBox()->editingFinished();
    EXPECT_EQ(stored("Voice/answers"), QStringLiteral("group"));
    EXPECT_EQ(stored("Voice/pauseMs"), QStringLiteral("500"));
    EXPECT_FALSE(view.airOption()->isChecked()); // the speech is clean unless asked
    view.airOption()->click();
    EXPECT_EQ(stored("Voice/throughAir"), QStringLiteral("1"));
    EXPECT_TRUE(stored("Form1/answers").isEmpty());
    // A new window finds them again.
    w.reset();
    VoicedWindow again;
    const VoiceOptions o = again.panel().voiceView().options();
    EXPECT_EQ(o.answers.moment, AnswerMoment::AfterGroup);
    EXPECT_EQ(o.answers.pauseMs, 500);
    EXPECT_TRUE(o.throughAir);
    saveVoiceOptions({}); // the next tests start from the defaults
}

// "после каждой группы": each word of the text is answered once it has been keyed, through the
// window's sound device; the speech goes there as one more placed sound.
TEST(VoiceOptions, TheReceiveExerciseSpeaksTheAnswers) {
    VoicedWindow w;
    auto& f = w.ui();
    f.glCheckBox20->setChecked(false);
    f.glCheckBox21->setChecked(false);
    f.glCheckBox7->click(); // " Текст в окне"
    f.Memo1->setText(toCp1251("12 3"));
    f.trainingMenu->click();
    VoiceOptions o;
    o.answers = {AnswerMoment::AfterGroup, 300};
    const_cast<VoiceOptionsView&>(w.panel().voiceView()).setOptions(o);
    w.events.at(1, [&] { QTest::keyClicks(f.Memo1, "12 3"); });
    w.panel().view().receiveButton()->click();
    EXPECT_EQ(w.log.said, (std::vector<std::string>{"один, два", "три"}));
    ASSERT_EQ(w.sound.plays.size(), 2u);
    EXPECT_GT(w.sound.plays[0].lengthMs, 300);
    // For the course: a sign's name and напев; the first lesson names both of its signs.
    EXPECT_TRUE(w.panel().introduceSign(toCp1251("А")[0]));
    EXPECT_EQ(w.log.said.back(), "а. ай-да");
    const LessonOrder order(parseLessonOrder(defaultLessonOrder(false), false).signsCp1251);
    w.panel().view().courseButton()->click();
    w.panel().view().courseView()->againButton()->click();
    ASSERT_GE(w.log.said.size(), 2u);
    EXPECT_EQ(w.log.said.back(), signIntroduction(order.newSign(1)));
}

// "Экспорт звука" speaks what the " Голос" frame chose, through the window's voice.
TEST(VoiceOptions, TheWindowsExportSpeaksTheChosenAnswers) {
    saveVoiceOptions({{AnswerMoment::AfterGroup, 1000}, {}});
    VoicedWindow w;
    TempFolder folder;
    w.ui().glDigits10->setValue(2); // two groups
    w.dialogs.saveAnswers.push_back(folder.path("v.wav"));
    w.dialogs.confirmAnswers.push_back(false);
    w.ui().exportSoundLabel->click();
    FormAccess::audioExport(*w.form).waitForFinish();
    saveVoiceOptions({});
    EXPECT_EQ(w.log.said.size(), 2u);
    EXPECT_EQ(w.dialogs.errors, std::vector<std::string>{});
}
