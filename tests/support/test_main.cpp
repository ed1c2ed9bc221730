// The main of every test program: an offscreen QApplication exists for the whole run, so tests of
// widgets and of handlers that process events need nothing of their own.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
// Each test starts with settings and data folders of its own, so a window that one test closes
// (and that saves its settings or its history) never feeds another test's window.
class FreshHomes : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        config_ = std::make_unique<QTemporaryDir>(), data_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toUtf8());
        qputenv("XDG_DATA_HOME", data_->path().toUtf8());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { config_.reset(), data_.reset(); }
    std::unique_ptr<QTemporaryDir> config_, data_;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshHomes);
    return RUN_ALL_TESTS();
}
