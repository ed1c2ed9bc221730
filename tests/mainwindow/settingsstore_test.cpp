// The settings store on a real settings file in the test's own configuration folder (found
// through $XDG_CONFIG_HOME as the program finds it): what a first start writes, what a later
// start brings back, and what damaged values do.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "settings/settingsdefaults.h"
#include "settings/settingsprops.h"
#include "settings/settingstext.h"
#include "support/formharness.h"
#include "support/unprivileged.h"
#include "widgets/tgldigits.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;
using kelvatron::test::FormHarness;

namespace {

using Values = std::map<std::string, std::string>;
using Errors = std::vector<std::string>;

// Every Props entry with a value other than its layout default, each valid on its own.
const Values kChangedSettings = {
    {"glDigits5.Value", "1200"},   {"glDigits6.Value", "4"},      {"glDigits7.Value", "2"},
    {"glDigits8.Value", "3"},      {"glDigits9.Value", "7"},      {"glDigits10.Value", "25"},
    {"glProgress1.Percent", "35"}, {"glCheckBox4.Checked", "0"},  {"glCheckBox5.Checked", "1"},
    {"glCheckBox6.Checked", "0"},  {"glCheckBox7.Checked", "0"},  {"glCheckBox1.Checked", "0"},
    {"glCheckBox2.Checked", "0"},  {"glCheckBox3.Checked", "1"},  {"glCheckBox13.Checked", "0"},
    {"glCheckBox14.Checked", "1"}, {"glCheckBox15.Checked", "0"}, {"glCheckBox16.Checked", "0"},
    {"glCheckBox17.Checked", "1"}, {"glCheckBox18.Checked", "0"}, {"glCheckBox19.Checked", "0"},
    {"glCheckBox20.Checked", "0"}, {"glCheckBox21.Checked", "0"},
};

// Values as the store writes them.
Values texts(const PropValues& values) {
    Values out;
    for (std::size_t i = 0; i < kPropCount; ++i)
        out[std::string(Props[i].path)] = propText(Props[i].kind, values[i]);
    return out;
}
const Values kDefaults = texts(kLayoutDefaults);

Values with(Values values, const Values& changes) {
    for (const auto& [name, text] : changes)
        values[name] = text;
    return values;
}

class SettingsStoreTest : public ::testing::Test {
protected:
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString fileName = home + "/Home/Project1.conf";

    void put(const std::string& bytes) {
        QDir().mkpath(home + "/Home");
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
    }
    void store(const Values& values) {
        QSettings settings(fileName, QSettings::IniFormat);
        for (const auto& [name, text] : values)
            settings.setValue(QString::fromStdString("Form1/" + name),
                              QString::fromStdString(text));
    }
    // The stored values; with window, also the window's place and state.
    Values stored(bool window = false) {
        QSettings settings(fileName, QSettings::IniFormat);
        settings.beginGroup("Form1");
        Values values;
        for (const QString& key : settings.childKeys())
            values[key.toStdString()] = settings.value(key).toString().toStdString();
        for (auto name : kWindowValueNames)
            if (!window) values.erase(std::string(name));
        return values;
    }
    static Values shown(TForm1& f) { return texts(f.settingsStore.readControls()); }
};

} // namespace

TEST_F(SettingsStoreTest, FirstStartKeepsTheDefaultsAndWritesAllTwentyEightValuesAtExit) {
    FormHarness h;
    EXPECT_FALSE(QFile::exists(fileName));
    EXPECT_EQ(shown(*h.form), kDefaults);
    h.form->glLabel71->click(); // "Да"
    EXPECT_TRUE(h.dialogs.errors.empty());
    Values written = stored(true);
    EXPECT_EQ(written.size(), 28u);
    EXPECT_EQ(stored(), kDefaults);
    EXPECT_EQ(written[".WindowState"], "0");
    EXPECT_EQ(std::stoi(written[".Right"]) - std::stoi(written[".Left"]), h.form->width());
    EXPECT_EQ(std::stoi(written[".Bottom"]) - std::stoi(written[".Top"]), h.form->height());
}

// A value deleted from the file comes back as its default.
TEST_F(SettingsStoreTest, EverySettingComesBackAfterARestart) {
    store(kChangedSettings);
    QSettings(fileName, QSettings::IniFormat).remove("Form1/glDigits9.Value");
    FormHarness h;
    const Values expected = with(kChangedSettings, {{"glDigits9.Value", "5"}});
    EXPECT_TRUE(h.dialogs.errors.empty());
    EXPECT_EQ(shown(*h.form), expected);
    h.form->close();
    EXPECT_EQ(stored(), expected);
}

// Each value that cannot be taken keeps its default and is named, however large it is, in one
// message at start-up; every other value, before and after it, is loaded, and a value off its
// stepper's grid or range is mended (the rounding itself is checked without a window).
TEST_F(SettingsStoreTest, BadValuesAreNamedOnceOthersLoadAndOffGridValuesAreMended) {
    const Values mended = {{"glDigits5.Value", "900"},
                           {"glDigits8.Value", "3"},
                           {"glDigits9.Value", "1"},
                           {"glProgress1.Percent", "100"}};
    Values values = with(kChangedSettings, {{"glDigits5.Value", "850"},
                                            {"glDigits8.Value", "2.6"},
                                            {"glDigits9.Value", "-3"},
                                            {"glProgress1.Percent", "300"},
                                            {"glDigits6.Value", "A"},
                                            {"glDigits7.Value", "2, 3"},  // read as a list
                                            {".Top", "@ByteArray(12)"}}); // read as bytes
    values["glDigits10.Value"] = std::string(50 << 20, 'x'); // once laid out whole in the box
    std::string file = "[Form1]\n";
    for (const auto& [name, text] : values)
        file += name + "=" + text + "\n";
    put(file);
    FormHarness h;
    EXPECT_EQ(h.dialogs.errors,
              Errors{"Could not load property .Top: invalid data type (not text)\n"
                     "Could not load property glDigits6.Value: 'A' is not a valid floating point "
                     "value\n"
                     "Could not load property glDigits7.Value: invalid data type (not text)\n"
                     "Could not load property glDigits10.Value: '" +
                     std::string(40, 'x') +
                     "…' is not a valid floating point value\n"
                     "Эти настройки остались по умолчанию, остальные загружены."});
    Values expected = with(kChangedSettings, mended);
    for (const char* name : {"glDigits6.Value", "glDigits7.Value", "glDigits10.Value"})
        expected[name] = kDefaults.at(name);
    EXPECT_EQ(shown(*h.form), expected);
}

// Said once at start-up with what and where; a damaged or unreadable file is kept beside the new
// one, a folder in its place stays and the save names the reason, as it does when a file stands
// where the folder should be. Read permissions are those of an ordinary user.
TEST_F(SettingsStoreTest, ADamagedOrUnreadableFileIsReportedAndKeptAside) {
    const char kGarbage[] = "[Form1]\nglDigits5.Value=1500\n[broken\n\x01\xff=\"\n\0\0x=1\n";
    const std::string garbage(kGarbage, sizeof kGarbage - 1);
    const std::string where = fileName.toStdString();
    const std::string anew = "При выходе файл будет записан заново, а прежний сохранён рядом как "
                             "Project1.conf.bak.";
    const std::string notSaved = "Could not save property glDigits5.Value\nФайл настроек не "
                                 "записан: " +
                                 where;
    struct Case {
        const char* name;
        Errors atStart, atExit;
        double frequency;
    };
    const Case cases[] = {
        {"damaged",
         {"Файл настроек повреждён: " + where +
          "\n(двоичные данные: байт 0x01 на позиции 37).\nЗагружено то, что удалось прочитать. " +
          anew},
         {},
         1500},
        {"unreadable",
         {"Файл настроек не читается: " + where +
          "\n(Permission denied).\nНастройки взяты по умолчанию. " + anew},
         {},
         800},
        {"folder",
         {"Файл настроек не читается: " + where +
          "\n(Is a directory).\nНастройки взяты по "
          "умолчанию."},
         {notSaved + "\nIs a directory."},
         800},
        {"file for the folder", {}, {notSaved + "\nNot a directory."}, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name;
        QDir(home + "/Home").removeRecursively();
        QFile::remove(home + "/Home");
        QFile(home).setPermissions(QFileDevice::Permissions(0x7777));
        if (name == "file for the folder") {
            QFile blocker(home + "/Home");
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        } else {
            QDir().mkpath(home + "/Home");
            QFile(home + "/Home").setPermissions(QFileDevice::Permissions(0x7777));
            name == "folder" ? void(QDir().mkpath(fileName)) : put(garbage);
        }
        if (name == "unreadable") QFile(fileName).setPermissions({});
        {
            test::Unprivileged user;
            ASSERT_TRUE(user.ok());
            FormHarness h;
            EXPECT_EQ(h.dialogs.errors, c.atStart);
            EXPECT_EQ(h.form->glDigits5->Value(), c.frequency);
            h.dialogs.errors.clear();
            h.form->close();
            EXPECT_EQ(h.dialogs.errors, c.atExit);
        }
        if (!c.atExit.empty()) continue;
        EXPECT_EQ(stored(true).size(), 28u);
        QFile kept(fileName + ".bak");
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll().toStdString(), garbage);
    }
}
