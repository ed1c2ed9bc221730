// The main of every test program: an offscreen QApplication exists for the whole run, so tests of
// widgets and of handlers that process events need nothing of their own.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Each test starts with a settings folder of its own, so a window that one test closes (and
// that saves its settings) never feeds another test's window.
class FreshConfigHome : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", dir_->path().toUtf8());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { dir_.reset(); }
    std::unique_ptr<QTemporaryDir> dir_;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Every window a test builds loads and saves its settings; they go to a folder of the test
    // run's own, never into the user's configuration.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshConfigHome);
    return RUN_ALL_TESTS();
}
