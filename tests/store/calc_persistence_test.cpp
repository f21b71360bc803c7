// The main window's start-up and shut-down with real files: settings and history
// written, read back, and kept safe when the folder misbehaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

#include "app/calc.h"
#include "app/calc_design.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_window_system.h"
#include "fakes/temp_folder.h"
#include "platform/local_file_system.h"
#include "platform/runtime_error.h"
#include "platform/text.h"
#include "store/history_log.h"
#include "store/profile.h"

namespace {

namespace fs = std::filesystem;

// One run of the program: start-up on construction, the window shown.
struct run {
    fakes::fake_forms_runtime forms;
    fakes::fake_window_system windows{&forms.log};
    platform::local_file_system settings_files;
    std::unique_ptr<app::calc> window;

    // With `hold_read`, the history file's reading waits until the test releases it.
    run(const std::string& program_folder, const std::string& user_folder, bool installed = false,
        bool hold_read = false) {
        forms.path = program_folder;
        forms.hold_beside = hold_read;
        app::calc_services services{forms, windows, [] { return std::make_unique<platform::local_file_system>(); },
                                    &settings_files, user_folder};
        services.installed_copy = installed;
        window = std::make_unique<app::calc>(std::move(services));
        window->load();
        window->show();
    }
    fakes::fake_form& form() { return *forms.live("calc"); }
    fakes::fake_text_box& box(const char* name) { return form().text(name); }
    fakes::fake_label& tip_line() { return form().label("Label_tip"); }
    std::u16string tip() { return tip_line().caption(); }
    void tick() { form().fake_timer_named("Timer_save").tick(); }
    void close() { form().close(); }
    void record(const std::u16string& formula) {
        box("Text_calc").type(formula);
        form().button("Command_r").click();
    }
};

struct calc_persistence : ::testing::Test {
    fakes::temp_folder dir;
    std::string user_folder;

    std::unique_ptr<run> start() { return std::make_unique<run>(dir.str(), user_folder); }
    std::string history_file() { return dir.read("myalldata.dat"); }
    void make_folder_read_only(const fs::path& p) {
        fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
};

TEST_F(calc_persistence, FirstShutDownWritesBothFilesAndTheNextStartShowsThem) {
    auto first = start();
    EXPECT_EQ(first->box("Text_temp1").text(), u"");
    first->box("Text_calc").type(u"2*3");
    first->box("Text_re").set_text(u"6");
    first->box("Text_temp1").set_text(u"\r\n▲1+2=3\r\n▲2*3=6");
    first->close();
    EXPECT_EQ(dir.read("tallix.dat"), "[tallix]\r\ntextre=6\r\ntextcalc=2*3\r\n");
    EXPECT_EQ(history_file(), store::encode_history(u"\r\n▲1+2=3\r\n▲2*3=6"));
    EXPECT_TRUE(history_file().starts_with("\xFF\xFE\x0D\x00\x0A\x00\xB2\x25"));

    auto second = start();
    EXPECT_EQ(second->box("Text_calc").text(), u"2*3");
    EXPECT_EQ(second->box("Text_re").text(), u"6");
    EXPECT_EQ(second->box("Text_temp1").text(), u"\r\n▲1+2=3\r\n▲2*3=6");
    EXPECT_EQ(second->tip(), u"");
    // A run that changes nothing writes the same bytes again.
    const std::string before = history_file();
    second->close();
    EXPECT_EQ(history_file(), before);
}

TEST_F(calc_persistence, AMultiLineFormulaSurvivesARestartWhole) {
    auto first = start();
    first->box("Text_calc").type(u"1+\r\n2");
    first->box("Text_temp1").set_text(u"\r\n▲1+\r\n2=3");
    first->close();
    auto second = start();
    EXPECT_EQ(second->box("Text_calc").text(), u"1+\r\n2");
    EXPECT_EQ(second->box("Text_temp1").text(), u"\r\n▲1+\r\n2=3");
}

TEST_F(calc_persistence, AnEmptyBoxGivesTwoBytesThatAreNotReadBack) {
    start()->close();
    EXPECT_EQ(history_file(), "\xFF\xFE");
    auto again = start();
    EXPECT_EQ(again->box("Text_temp1").text(), u"");
}

TEST_F(calc_persistence, OneCharacterGivesFourBytesThatAreReadBack) {
    auto first = start();
    first->box("Text_temp1").type(u"x");
    first->close();
    EXPECT_EQ(history_file(), std::string("\xFF\xFE"
                                          "x\0",
                                          4));
    EXPECT_EQ(start()->box("Text_temp1").text(), u"x");
}

TEST_F(calc_persistence, EveryTickSavesAndADeletedFileComesBack) {
    auto r = start();
    EXPECT_EQ(history_file(), "<missing>");
    r->box("Text_temp1").type(u"a");
    r->tick();
    EXPECT_EQ(history_file(), store::encode_history(u"a"));
    fs::remove(dir.file("myalldata.dat"));
    r->box("Text_temp1").set_text(u"");
    r->tick();
    EXPECT_EQ(history_file(), "\xFF\xFE");
}

TEST_F(calc_persistence, AFailedSaveKeepsTheBoxSaysWhyAndTheNextTickTriesAgain) {
    auto r = start();
    r->box("Text_temp1").type(u"\r\n▲1+2=3");
    make_folder_read_only(dir.path());
    {
        fakes::unprivileged as_user;
        if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
        r->tick();
        EXPECT_EQ(r->tip(), u"温馨提示:历史记录未能保存，文件夹不可写入");
        EXPECT_EQ(r->box("Text_temp1").text(), u"\r\n▲1+2=3");
        EXPECT_TRUE(r->form().visible());
    }
    EXPECT_EQ(history_file(), "<missing>");
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    r->tick();
    EXPECT_EQ(history_file(), store::encode_history(u"\r\n▲1+2=3"));
    EXPECT_EQ(r->tip(), u"");
}

// What was recorded since the last save is not lost at exit without the user's say:
// retry until the save succeeds, or close without saving. (A folder in the history
// file's place makes every save fail until it goes.)
TEST_F(calc_persistence, AHistoryThatCannotBeSavedAtExitAsksWhetherToTryAgain) {
    for (const bool give_up : {false, true}) {
        auto r = start();
        r->box("Text_temp1").set_text(u"\r\n▲1+2=3");
        fs::create_directory(dir.file("myalldata.dat"));
        int asked = 0;
        r->forms.answer_retry = [&] {
            if (++asked == 2) fs::remove(dir.file("myalldata.dat"));
            return !give_up;
        };
        r->close();
        EXPECT_EQ(asked, give_up ? 1 : 2);
        const auto& log = r->forms.log;
        EXPECT_EQ(*std::find_if(log.begin(), log.end(), [](auto& e) { return e.starts_with("ask_retry"); }),
                  "ask_retry 历史记录未能保存：文件写入失败。\n"
                  "上次保存以后记下的内容只在历史记录框里，不保存就关闭会丢失这些内容。 | 不保存，关闭");
        if (give_up) EXPECT_TRUE(fs::is_directory(dir.file("myalldata.dat")));
        else EXPECT_EQ(history_file(), store::encode_history(u"\r\n▲1+2=3"));
        EXPECT_TRUE(fs::exists(dir.file("tallix.dat"))) << "the settings are saved first";
        fs::remove_all(dir.file("myalldata.dat"));
    }
}

// The tip of a formula typed, or of an edit refused for its length, since the failed save
// is no longer the warning that the next good save takes away.
TEST_F(calc_persistence, AFailedSaveLeavesATipOfSomeoneElseAlone) {
    auto r = start();
    const std::pair<std::function<void()>, std::u16string> others[] = {
        {[&] { r->box("Text_calc").type(u"1/0"); }, u"温馨提示:被零除"},
        {[&] { r->box("Text_calc").on_too_long(); }, u"温馨提示:公式最多 1048576 个字符，这次输入没有被接受"},
        {[&] { r->box("Text_re").on_too_long(); }, u"温馨提示:结果最多 1048576 个字符，这次输入没有被接受"},
    };
    for (const auto& [speak, other] : others) {
        r->box("Text_temp1").type(u"x");  // a save only follows an edit
        make_folder_read_only(dir.path());
        {
            fakes::unprivileged as_user;
            if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
            r->tick();
        }
        ASSERT_EQ(r->tip(), u"温馨提示:历史记录未能保存，文件夹不可写入");
        speak();
        fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
        r->tick();
        EXPECT_EQ(r->tip(), other);
    }
}

TEST_F(calc_persistence, AHistoryThatCannotBeReadIsNeverOverwritten) {
    const std::string mine = store::encode_history(u"\r\n▲1+2=3");
    dir.write("myalldata.dat", mine);
    fs::permissions(dir.file("myalldata.dat"), fs::perms::owner_write);  // root's: write, but no read
    if (::chown(dir.str().c_str(), 65534, 65534) != 0) GTEST_SKIP() << "cannot give the folder to nobody";
    {
        fakes::unprivileged as_user;
        if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
        auto r = start();
        EXPECT_EQ(r->box("Text_temp1").text(), u"");
        EXPECT_EQ(r->tip(), store::history_unreadable_tip());
        r->box("Text_temp1").type(u"new");
        r->box("Text_calc").type(u"1");
        EXPECT_EQ(r->tip(), u"") << "a keystroke takes the warning away";
        r->tick();
        EXPECT_EQ(r->tip(), store::history_unreadable_tip());
        r->close();
    }
    EXPECT_TRUE(fs::exists(dir.file("tallix.dat"))) << "the settings are still saved";
    fs::permissions(dir.file("myalldata.dat"), fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(history_file(), mine);
}

TEST_F(calc_persistence, AProgramFolderThatCannotBeWrittenKeepsTheFilesInTheUserFolder) {
    const fs::path program = dir.path() / "bin";
    const fs::path data = dir.path() / "data" / "tallix";
    fs::create_directory(program);
    make_folder_read_only(program);
    fs::permissions(dir.path(), fs::perms::others_all | fs::perms::group_all, fs::perm_options::add);
    user_folder = data.string();
    fakes::unprivileged as_user;
    if (!as_user.active()) GTEST_SKIP() << "cannot drop root rights";
    auto first = std::make_unique<run>(program.string(), user_folder);
    first->box("Text_calc").type(u"1+2");
    first->box("Text_temp1").type(u"h");
    first->close();
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_EQ(fakes::temp_folder::read_path(data / "tallix.dat"), "[tallix]\r\ntextre=3\r\ntextcalc=1+2\r\n");
    EXPECT_EQ(fakes::temp_folder::read_path(data / "myalldata.dat"), store::encode_history(u"h"));
    auto second = std::make_unique<run>(program.string(), user_folder);
    EXPECT_EQ(second->box("Text_calc").text(), u"1+2");
    EXPECT_EQ(second->box("Text_temp1").text(), u"h");
    EXPECT_EQ(second->tip(), u"");
}

// Two copies that could not find each other (no link between them) never write the same
// files: the second ends with a message before touching any.
TEST_F(calc_persistence, ASecondCopyWithoutLinkEndsWithoutTouchingTheFirstsFiles) {
    auto first = start();
    first->box("Text_temp1").type(u"\r\n▲1+2=3");
    first->tick();
    const std::string before = history_file();
    fakes::fake_forms_runtime forms;
    forms.path = dir.str();
    fakes::fake_window_system windows{&forms.log};
    platform::local_file_system settings_files;
    app::calc second(
        {forms, windows, [] { return std::make_unique<platform::local_file_system>(); }, &settings_files, ""});
    try {
        second.load();
        ADD_FAILURE() << "the second copy opened";
    } catch (const platform::runtime_error& e) {
        EXPECT_EQ(e.number(), platform::err_data_folder_in_use);
        EXPECT_NE(e.description().find(platform::to_u16(dir.str())), std::u16string::npos) << "it names the folder";
    }
    EXPECT_EQ(history_file(), before);
    EXPECT_EQ(dir.read("tallix.dat"), "<missing>");
    first->close();
    EXPECT_TRUE(start()->window->window().visible()) << "once the first is closed, a new copy opens";
}

// A lock file that this user cannot take may be another copy's: the copy ends as it does
// for a held lock, touching nothing.
TEST_F(calc_persistence, ALockThatCannotBeTakenEndsTheCopyWithoutTouchingAFile) {
    const std::string history = store::encode_history(u"\r\n▲1+2=3");
    dir.write("myalldata.dat", history);
    dir.write("myalldata.dat.tallix-save-a1B2c3", "being written");
    fs::create_symlink("myalldata.dat", dir.file(".tallix.lock"));
    fakes::fake_forms_runtime forms;
    forms.path = dir.str();
    fakes::fake_window_system windows{&forms.log};
    platform::local_file_system settings_files;
    app::calc copy(
        {forms, windows, [] { return std::make_unique<platform::local_file_system>(); }, &settings_files, ""});
    try {
        copy.load();
        ADD_FAILURE() << "the copy opened";
    } catch (const platform::runtime_error& e) {
        EXPECT_EQ(e.number(), platform::err_data_folder_in_use);
    }
    EXPECT_EQ(history_file(), history);
    EXPECT_EQ(dir.read("myalldata.dat.tallix-save-a1B2c3"), "being written");
    EXPECT_TRUE(fs::is_symlink(dir.file(".tallix.lock")));
    EXPECT_EQ(dir.read("tallix.dat"), "<missing>");
}

// Others could have planted links or FIFOs among the files of a folder they can write
// to: a copy there keeps its files in the user folder, or none, and says so.
TEST_F(calc_persistence, AProgramFolderThatOthersCanWriteToIsNotUsed) {
    const fs::path program = dir.path() / "bin";
    fs::create_directory(program);
    fs::permissions(program, fs::perms::all | fs::perms::sticky_bit);
    dir.write("secret", "root's only");
    fs::create_symlink(dir.file("secret"), program / "myalldata.dat");
    ASSERT_EQ(::mkfifo((program / "tallix.dat").c_str(), 0666), 0);
    for (const std::string& user : {dir.file("data/tallix"), std::string()}) {
        SCOPED_TRACE(user.empty() ? "no user folder" : "a user folder");
        auto r = std::make_unique<run>(program.string(), user);
        EXPECT_EQ(r->tip(), user.empty() ? u"温馨提示:其他用户也能写入文件夹 " + platform::to_u16(program.string()) +
                                               u"，本次运行不读取也不保存设置和历史记录"
                                         : u"温馨提示:其他用户也能写入程序所在的文件夹，设置和历史记录保存在 " +
                                               platform::to_u16(user));
        EXPECT_EQ(r->box("Text_temp1").text(), u"");
        r->record(u"1+2");
        r->tick();
        r->close();
    }
    EXPECT_EQ(dir.read("secret"), "root's only");
    EXPECT_TRUE(fs::is_symlink(program / "myalldata.dat"));
    EXPECT_TRUE(fs::is_fifo(program / "tallix.dat"));
    EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 2);
    EXPECT_EQ(dir.read("data/tallix/myalldata.dat"), store::encode_history(u"\r\n▲1+2=3"));
}

// Opening and closing, ticks included, rewrite nothing: not the odd last byte, not a
// history of three bytes, not one a text editor wrote, not one that is no text. An edit
// saves the history in the one format.
TEST_F(calc_persistence, ARunWithoutAnEditLeavesTheHistoryFileAsItWas) {
    const std::string elf(
        "\x7F"
        "ELF\2\1\1\0\0\0\0\0\0\0\0\0\3\0\x3E\0",
        20);
    const struct {
        const char* what;
        std::string file;
        std::u16string shown;
    } rows[] = {
        {"an odd last byte",
         std::string("\xFF\xFE"
                     "1\0"
                     "2",
                     5),
         u"1\uFFFD"},
        {"three bytes",
         std::string("\xFF\xFE"
                     "1",
                     3),
         u""},
        {"UTF-8",
         "\r\n\xE2\x96\xB2"
         "1+2=3",
         u"\r\n▲1+2=3"},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBF\r\n\xE2\x96\xB2"
         "1+2=3",
         u"\r\n▲1+2=3"},
        {"UTF-16 big-endian",
         std::string("\xFE\xFF\0\r\0\n\x25\xB2\0"
                     "1",
                     10),
         u"\r\n▲1"},
        {"no text", elf, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        dir.write("myalldata.dat", row.file);
        auto r = start();
        EXPECT_EQ(r->box("Text_temp1").text(), row.shown);
        if (row.file == elf) {
            EXPECT_EQ(r->tip(), u"温馨提示:历史记录文件不是文本，没有读取，本次运行不会保存历史记录");
        }
        r->tick();
        r->close();
        EXPECT_EQ(history_file(), row.file);
    }
    dir.write("myalldata.dat", rows[2].file);
    auto r = start();
    r->record(u"1+1");
    r->close();
    EXPECT_EQ(history_file(), store::encode_history(u"\r\n▲1+2=3\r\n▲1+1=2"));
}

// A file too large to read is not read whole, and not overwritten: the window starts at
// once, empty where the file would have filled it, and the tip says why.
TEST_F(calc_persistence, FilesTooLargeToReadAreLeftUnreadAndUntouched) {
    const struct {
        const char* name;
        std::string head;
        std::uintmax_t size;
        std::u16string tip;
    } rows[] = {
        {"myalldata.dat", store::encode_history(u"\r\n▲1+2=3"), store::history_size_limit + 1,
         u"温馨提示:历史记录文件超过 256 MB，没有读取，本次运行不会保存历史记录"},
        {"tallix.dat", "[tallix]\r\ntextre=3\r\ntextcalc=1+2\r\n", store::profile::max_file_size + 1,
         u"温馨提示:设置文件超过 8 MB，没有读取，本次运行不会保存设置"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        dir.write(row.name, row.head);
        fs::resize_file(dir.file(row.name), row.size);  // sparse: no disk taken
        auto r = start();
        EXPECT_EQ(r->tip(), row.tip);
        EXPECT_EQ(r->box("Text_calc").text(), u"");
        EXPECT_EQ(r->box("Text_temp1").text(), u"");
        r->record(u"2*3");
        r->tick();
        r->close();
        EXPECT_EQ(fs::file_size(dir.file(row.name)), row.size);
        std::string head(row.head.size(), '\0');
        std::ifstream(dir.file(row.name), std::ios::binary)
            .read(head.data(), static_cast<std::streamsize>(head.size()));
        EXPECT_EQ(head, row.head);
        fs::remove(dir.file(row.name));
    }
}

// A formula longer than the box holds stays in the settings file, untouched, until the
// user writes another; the box starts empty and the tip says why.
TEST_F(calc_persistence, AFormulaTooLongForTheBoxStaysInTheFileUntilANewOneIsWritten) {
    const std::string huge(app::max_formula_length + 1, '1');
    dir.write("tallix.dat", "[tallix]\r\ntextre=5\r\ntextcalc=" + huge + "\r\n");
    auto first = start();
    EXPECT_EQ(first->box("Text_calc").text(), u"");
    EXPECT_EQ(first->box("Text_re").text(), u"5");
    EXPECT_EQ(first->tip(), u"温馨提示:保存的公式超过 1048576 个字符，没有恢复");
    first->box("Text_calc").on_too_long();
    EXPECT_EQ(first->tip(), u"温馨提示:公式最多 1048576 个字符，这次输入没有被接受");
    first->close();
    EXPECT_EQ(dir.read("tallix.dat"), "[tallix]\r\ntextre=5\r\ntextcalc=" + huge + "\r\n");
    auto second = start();
    second->box("Text_calc").type(u"2");
    second->close();
    EXPECT_EQ(dir.read("tallix.dat"), "[tallix]\r\ntextre=2\r\ntextcalc=2\r\n");
}

TEST_F(calc_persistence, AWritableProgramFolderKeepsTheFilesBesideTheProgram) {
    user_folder = dir.file("data");
    auto r = start();
    r->close();
    EXPECT_FALSE(fs::exists(user_folder));
    EXPECT_TRUE(fs::exists(dir.file("tallix.dat")));
    EXPECT_TRUE(fs::exists(dir.file("myalldata.dat")));
}

// Run as root from a writable /usr/bin: the files still go to the user folder only.
TEST_F(calc_persistence, AnInstalledCopyKeepsItsFilesInTheUserFolderAndNeverBesideItself) {
    const fs::path program = dir.path() / "bin";
    fs::create_directory(program);
    user_folder = dir.file("data/tallix");
    auto first = std::make_unique<run>(program.string(), user_folder, true);
    first->box("Text_calc").type(u"1+2");
    first->box("Text_temp1").type(u"h");
    first->tick();
    first->close();
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_EQ(dir.read("data/tallix/tallix.dat"), "[tallix]\r\ntextre=3\r\ntextcalc=1+2\r\n");
    EXPECT_EQ(dir.read("data/tallix/myalldata.dat"), store::encode_history(u"h"));
    auto second = std::make_unique<run>(program.string(), user_folder, true);
    EXPECT_EQ(second->box("Text_calc").text(), u"1+2");
    EXPECT_EQ(second->box("Text_temp1").text(), u"h");
    second->close();

    // Without a home, there is no user folder: nothing is read or written anywhere.
    auto homeless = std::make_unique<run>(program.string(), "", true);
    EXPECT_EQ(homeless->box("Text_calc").text(), u"");
    homeless->box("Text_temp1").type(u"x");
    homeless->tick();
    EXPECT_EQ(homeless->tip(), u"");
    homeless->close();
    EXPECT_TRUE(fs::is_empty(program));
    EXPECT_FALSE(fs::exists(dir.file("tallix.dat")));
    EXPECT_FALSE(fs::exists("/tallix.dat"));
    EXPECT_FALSE(fs::exists("/myalldata.dat"));
}

}  // namespace

namespace {

// A history of several slices, so that the box shows it over several steps.
std::u16string long_history() {
    std::u16string h;
    while (h.size() < 3 * store::restore_slice_units) h += u"\r\n▲48213*517+sin<67>=24926121";
    return h;
}

}  // namespace

// Whatever happens while the file is read or the box still shows it slice by slice, every
// file written holds the whole history, and entries recorded meanwhile come after it.
TEST_F(calc_persistence, AHistoryStillLoadingLosesNothingAndNoPartialFileIsWritten) {
    const std::u16string old = long_history();
    const std::u16string entry = u"\r\n▲1+1=2";
    struct step {
        const char* what;
        bool record;   // "R" is clicked
        bool release;  // after the file is read, while the box shows it in slices
    };
    const step cases[] = {
        {"a tick, then a close, while the file is read", false, false},
        {"R, a tick and a close while the file is read", true, false},
        {"R, a tick and a close while the box shows the history in slices", true, true},
    };
    for (const step& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("myalldata.dat", store::encode_history(old));
        auto r = std::make_unique<run>(dir.str(), user_folder, false, true);
        ASSERT_EQ(r->forms.held.size(), 1u);
        if (c.release) r->forms.release_beside();
        if (c.record) r->record(u"1+1");
        r->tick();
        if (c.release) {
            EXPECT_GT(r->box("Text_temp1").hidden, 0u) << "the box still shows the history in slices";
            r->forms.finish_beside();
            EXPECT_EQ(history_file(), store::encode_history(old + entry));
        } else {
            EXPECT_EQ(history_file(), store::encode_history(old)) << "no save before the file is read";
        }
        r->close();
        EXPECT_EQ(history_file(), store::encode_history(c.record ? old + entry : old));
        while (r->forms.run_one_soon()) {}
    }
}

TEST_F(calc_persistence, TheHistoryGoesIntoTheBoxOneSliceAStepOfTheEventLoop) {
    const std::u16string old = long_history();
    dir.write("myalldata.dat", store::encode_history(old));
    auto r = std::make_unique<run>(dir.str(), user_folder, false, true);
    fakes::fake_text_box& history = r->box("Text_temp1");
    EXPECT_EQ(history.text(), u"");
    r->forms.release_beside();
    EXPECT_EQ(history.text(), old);
    EXPECT_EQ(history.changes, 0) << "the restore raises no change";
    while (r->forms.run_one_soon()) {}
    EXPECT_EQ(history.hidden, 0u);
    EXPECT_EQ(static_cast<std::size_t>(history.restore_steps),
              (old.size() + store::restore_slice_units - 1) / store::restore_slice_units);
}

// A long saved formula goes in after the window is shown; it is evaluated then, the saved
// result still wins, and a window closed before it went in keeps it in the file.
TEST_F(calc_persistence, ALongSavedFormulaGoesInAfterTheWindowAndIsNeverLost) {
    std::string formula = "1";
    while (formula.size() < 200'000) formula += "+1";
    const std::string settings = "[tallix]\r\ntextre=7\r\ntextcalc=" + formula + "\r\n";
    for (const bool close_first : {false, true}) {
        SCOPED_TRACE(close_first ? "closed before it went in" : "shown");
        dir.write("tallix.dat", settings);
        auto r = start();
        EXPECT_EQ(r->box("Text_calc").text(), u"");
        if (!close_first) {
            EXPECT_TRUE(r->forms.run_one_soon());
            EXPECT_EQ(platform::to_utf8(r->box("Text_calc").text()), formula);
            EXPECT_EQ(r->box("Text_re").text(), u"7");
        }
        r->close();
        EXPECT_EQ(dir.read("tallix.dat"), settings);
        while (r->forms.run_one_soon()) {}
        EXPECT_EQ(r->box("Text_calc").text().empty(), close_first) << "nothing goes in after the close";
    }
}
