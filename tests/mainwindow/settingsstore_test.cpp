// The settings store on a real settings file in the test's own configuration folder (found
// through $XDG_CONFIG_HOME as the program finds it): what a first start writes, what a later
// start brings back, and what damaged values do.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <functional>
#include <sys/stat.h>
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

// Every kProps entry with a value other than its layout default, each valid on its own.
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
        out[std::string(kProps[i].path)] = propText(kProps[i].kind, values[i]);
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
    static Values shown(TForm1& f) {
        return texts(test::FormAccess::settingsStore(f).readControls());
    }
    // The bytes of a file, through a link to it too.
    static QByteArray readAll(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(SettingsStoreTest, FirstStartKeepsTheDefaultsAndWritesAllTwentyEightValuesAtExit) {
    FormHarness h;
    EXPECT_FALSE(QFile::exists(fileName));
    EXPECT_EQ(shown(*h.form), kDefaults);
    h.ui().glLabel71->click(); // "Да"
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

// Said once at start-up with what and where. What is not settings as the program writes them
// (damaged bytes, another file linked or copied in its place, an unreadable file) is kept aside
// unchanged at once, under a name no earlier copy holds, and a new file is written at exit; a
// link to a real settings file is written through. A pipe is never opened to wait on and never
// written, nor is a folder in the file's place; a save that cannot write says which permission
// is missing. Permissions are those of an ordinary user. Each case has a configuration folder of
// its own: Qt keeps what it could not write for the next store of the same file.
TEST_F(SettingsStoreTest, WhatIsNoSettingsFileIsReportedAndNeverWrittenOver) {
    const char kGarbage[] = "[Form1]\nglDigits5.Value=1500\n[broken\n\x01\xff=\"\n\0\0x=1\n";
    const std::string garbage(kGarbage, sizeof kGarbage - 1);
    const std::string passwd = "root:x:0:0:root:/root:/bin/bash\nbin:x:2:2:bin:/bin:/usr/sbin\n";
    const std::string settings = "[Form1]\nglDigits5.Value=1500\n";
    const auto keptAs = [](const char* name) {
        return std::string("Он сохранён без изменений рядом как ") + name +
               "; при выходе настройки будут записаны в новый файл.";
    };
    const std::string notSaved = "Could not save property glDigits5.Value\nФайл настроек не "
                                 "записан: {file}\n";
    const std::string damaged = "Файл настроек повреждён: {file}\n(двоичные данные: байт 0x01 на "
                                "позиции 37).\nЗагружено то, что удалось прочитать. ";
    struct Paths {
        QString folder, file, other;
    };
    const auto write = [](const QString& name, const std::string& content, int permissions) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.data(), qint64(content.size()));
        file.setPermissions(QFileDevice::Permissions(permissions));
    };
    // Anyone may write the file it leads to: only the program's own care keeps it as it is.
    const auto link = [&](const Paths& p, const std::string& content) {
        write(p.other, content, 0x6666);
        ASSERT_TRUE(QFile::link(p.other, p.file));
    };
    enum After { NewFile, LeftAlone, WrittenThrough };
    struct Case {
        const char* name;
        std::function<void(const Paths&)> setUp;
        std::string atStart, atExit;
        double frequency;
        After after;
        const char* kept = ""; // the name the old file was kept under
        std::string keptContent = {};
    };
    const Case cases[] = {
        {"damaged", [&](const Paths& p) { write(p.file, garbage, 0x6644); },
         damaged + keptAs("Project1.conf.bak"), "", 1500, NewFile, "Project1.conf.bak", garbage},
        {"a second damaged file",
         [&](const Paths& p) {
             write(p.file + ".bak", "first", 0x6644);
             write(p.file + ".bak.2", "second", 0x6644);
             write(p.file, garbage, 0x6644);
         },
         damaged + keptAs("Project1.conf.bak.3"), "", 1500, NewFile, "Project1.conf.bak.3",
         garbage},
        {"unreadable", [&](const Paths& p) { write(p.file, garbage, 0); },
         "Файл настроек не читается: {file}\n(Permission denied).\nНастройки взяты по "
         "умолчанию. " + keptAs("Project1.conf.bak"),
         "", 800, NewFile, "Project1.conf.bak", garbage},
        {"a link to another text file", [&](const Paths& p) { link(p, passwd); },
         "На месте файла настроек другой файл: {file}\n(строка 1 — не строка настроек).\n"
         "Настройки взяты по умолчанию. " + keptAs("Project1.conf.bak"),
         "", 800, NewFile, "Project1.conf.bak", passwd},
        {"a link to a settings file", [&](const Paths& p) { link(p, settings); }, "", "", 1500,
         WrittenThrough},
        {"a pipe",
         [&](const Paths& p) {
             ASSERT_EQ(::mkfifo(p.file.toUtf8().constData(), 0666), 0);
             QFile(p.file).setPermissions(QFileDevice::Permissions(0x6666));
         },
         "Файл настроек — не обычный файл: {file}\n(канал (FIFO)).\nНастройки взяты по "
         "умолчанию и не будут сохранены. Уберите его, и программа сохранит настройки в новый "
         "файл.",
         "", 800, LeftAlone},
        {"a read-only file", [&](const Paths& p) { write(p.file, settings, 0x4444); }, "",
         notSaved + "нет права записи в сам файл (Permission denied): разрешите её (chmod u+w) "
                    "или удалите файл.",
         1500, LeftAlone},
        {"a read-only folder",
         [&](const Paths& p) {
             write(p.file, settings, 0x6666);
             QFile(p.folder).setPermissions(QFileDevice::Permissions(0x5555));
         },
         "",
         notSaved + "нельзя создать файл в папке {folder} (Permission denied): разрешите запись "
                    "в неё.",
         1500, LeftAlone},
        {"folder", [&](const Paths& p) { QDir().mkpath(p.file); },
         "Файл настроек не читается: {file}\n(Is a directory).\nНастройки взяты по умолчанию.",
         notSaved + "Is a directory.", 800, LeftAlone},
        {"file for the folder",
         [&](const Paths& p) {
             QDir(p.folder).removeRecursively();
             write(p.folder, "", 0x6666);
         },
         "", notSaved + "Not a directory.", 800, LeftAlone},
    };
    const QByteArray testHome = qgetenv("XDG_CONFIG_HOME");
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString config = home + "/case" + QString::number(++number);
        const Paths p{config + "/Home", config + "/Home/Project1.conf", config + "/elsewhere"};
        QDir().mkpath(p.folder);
        for (const QString& folder : {home, config, p.folder})
            QFile(folder).setPermissions(QFileDevice::Permissions(0x7777));
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        c.setUp(p);
        const auto expected = [&](std::string text) {
            for (const auto& [name, value] : {std::pair{"{file}", p.file}, {"{folder}", p.folder}})
                for (auto at = text.find(name); at != std::string::npos; at = text.find(name))
                    text.replace(at, std::string_view(name).size(), value.toStdString());
            return text.empty() ? Errors{} : Errors{text};
        };
        const QFileInfo before(p.file);
        const QByteArray otherBefore = readAll(p.other);
        {
            test::Unprivileged user;
            ASSERT_TRUE(user.ok());
            FormHarness h;
            EXPECT_EQ(h.dialogs.errors, expected(c.atStart));
            EXPECT_EQ(h.ui().glDigits5->Value(), c.frequency);
            h.dialogs.errors.clear();
            h.ui().glDigits5->setValue(1000);
            h.form->close();
            EXPECT_EQ(h.dialogs.errors, expected(c.atExit));
        }
        QFile(p.folder).setPermissions(QFileDevice::Permissions(0x7777));
        const QFileInfo after(p.file);
        if (c.after != WrittenThrough) {
            EXPECT_EQ(readAll(p.other), otherBefore);
        }
        if (c.after == LeftAlone) {
            EXPECT_EQ(after.exists(), before.exists());
            EXPECT_EQ(after.lastModified(), before.lastModified());
            EXPECT_EQ(after.isFile(), before.isFile());
            continue;
        }
        QSettings written(p.file, QSettings::IniFormat);
        EXPECT_EQ(written.allKeys().size(), 28);
        EXPECT_EQ(written.value("Form1/glDigits5.Value").toString(), "1000");
        EXPECT_EQ(after.isSymLink(), c.after == WrittenThrough);
        if (c.after == WrittenThrough) {
            EXPECT_EQ(QFileInfo(p.other).size(), after.size());
            continue;
        }
        EXPECT_EQ(readAll(p.folder + "/" + c.kept).toStdString(), c.keptContent);
        if (number == 2) {
            EXPECT_EQ(readAll(p.file + ".bak"), "first");
            EXPECT_EQ(readAll(p.file + ".bak.2"), "second");
        }
    }
    qputenv("XDG_CONFIG_HOME", testHome);
}
