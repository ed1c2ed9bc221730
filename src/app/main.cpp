#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kelvatron (V 1.41)"));
    window.resize(792, 573);
    window.show();
    return app.exec();
}
