#include "pn_test_support.h"

#include "gui/xml/document_file.h"
#include "gui/xml/file_replace.h"
#include "tests/support/small_file_system.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

using namespace tokarium;
using namespace tokarium::test;
using tokarium::testing::fillUpTo;
using tokarium::testing::onSmallFileSystem;
namespace fs = std::filesystem;

namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("tokarium-xml-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(m_folder, fs::perms::owner_all, error);
        fs::remove_all(m_folder, error);
    }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    static void writeFile(const std::string& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    static std::string readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    std::size_t entriesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }

    fs::path m_folder;
    RecordingPrompt m_prompt;
};

const std::string kOneSheet = "<sheet name=\"A\" id=\"3\"><objects><place_d id=\"1\"/></objects></sheet>";

} // namespace

TEST_F(DocumentFileTest, SaveThenOpenGivesTheSameDocument) {
    NetDocument document;
    document.newDocument();
    Place& place = addPlace(document.sheet(0), ObjectKind::kContinuousPlace, 4, {50, 50});
    place.setInitialMarking(0.25);
    document.setModified(true);
    const std::string file = path("net.pn");
    std::vector<ViewPlacement> views = {{document.sheet(0).id(), Rect{1, 2, 3, 4}}};
    ASSERT_TRUE(saveDocument(document, file, views));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(readFile(file), documentText(document, views));
    EXPECT_EQ(entriesInFolder(), 1u);

    NetDocument opened;
    std::vector<SheetWindow> windows;
    ASSERT_TRUE(openDocument(opened, file, m_prompt, windows));
    EXPECT_TRUE(m_prompt.messages.empty());
    EXPECT_TRUE(m_prompt.questions.empty());
    EXPECT_EQ(opened.path(), file);
    EXPECT_EQ(opened.title(), "net.pn");
    EXPECT_FALSE(opened.isModified());
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].rect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(opened.sheet(0).findPlace(4)->initialMarking(), 0.25);
    EXPECT_EQ(documentText(opened, views), documentText(document, views));
}

TEST_F(DocumentFileTest, MissingFilesAndFoldersCannotBeOpened) {
    NetDocument document;
    std::vector<SheetWindow> windows;
    const std::string missing = path("missing.pn");
    EXPECT_FALSE(openDocument(document, missing, m_prompt, windows));
    EXPECT_FALSE(openDocument(document, m_folder.string(), m_prompt, windows));
    ASSERT_EQ(m_prompt.messages.size(), 2u);
    EXPECT_EQ(m_prompt.messages[0], "Can't open file \"" + missing + "\".");
    EXPECT_EQ(m_prompt.messages[1], "Can't open file \"" + m_folder.string() + "\".");
    EXPECT_EQ(document.sheetCount(), 0u);
    EXPECT_TRUE(windows.empty());
}

TEST_F(DocumentFileTest, WrongFormatIsReported) {
    const std::string notXml = path("text.pn");
    writeFile(notXml, "hello <tokarium version=\"1\">" + kOneSheet + "</tokarium>");
    const std::string otherRoot = path("other.pn");
    writeFile(otherRoot, "<?xml version=\"1.0\"?>\r\n<document version=\"1\">" + kOneSheet + "</document>");
    const std::string empty = path("empty.pn");
    writeFile(empty, "");
    NetDocument document;
    std::vector<SheetWindow> windows;
    for (const std::string& file : {notXml, otherRoot, empty}) {
        m_prompt.messages.clear();
        EXPECT_FALSE(openDocument(document, file, m_prompt, windows));
        ASSERT_EQ(m_prompt.messages.size(), 1u);
        EXPECT_EQ(m_prompt.messages[0], "Incorrect file format \"" + file + "\".");
    }
    EXPECT_EQ(document.sheetCount(), 0u);
}

TEST_F(DocumentFileTest, DamagedFileIsRefusedWithTheLineOfTheDamage) {
    const std::string whole = "<?xml version=\"1.0\"?>\r\n<tokarium version=\"1\">\r\n" + kOneSheet + "\r\n</tokarium>\r\n";
    const std::string cut = path("cut.pn");
    writeFile(cut, whole.substr(0, whole.rfind("</tokarium>")));
    std::string mistyped = whole;
    mistyped.replace(mistyped.find("<sheet"), 6, "<bad>\r\n<sheet");
    const std::string stray = path("stray.pn");
    writeFile(stray, mistyped);
    NetDocument document;
    std::vector<SheetWindow> windows;
    const struct {
        std::string file;
        int line;
    } cases[] = {{cut, 4}, {stray, 5}};
    for (const auto& damaged : cases) {
        m_prompt.messages.clear();
        EXPECT_FALSE(openDocument(document, damaged.file, m_prompt, windows));
        EXPECT_EQ(m_prompt.messages, std::vector<std::string>{"Incorrect file format \"" + damaged.file +
                                                              "\". The file is damaged at line " +
                                                              std::to_string(damaged.line) + "."});
        EXPECT_EQ(document.sheetCount(), 0u);
        EXPECT_TRUE(windows.empty());
    }
}

TEST_F(DocumentFileTest, MissingVersionAsksAndAnyVersionIsAccepted) {
    const std::string unversioned = path("old.pn");
    writeFile(unversioned, "<?xml version=\"1.0\"?>\r\n<tokarium>" + kOneSheet + "</tokarium>");
    const std::string versioned = path("new.pn");
    writeFile(versioned, "<?xml version=\"1.0\"?>\r\n<tokarium version=\"2.0\">" + kOneSheet + "</tokarium>");
    std::vector<SheetWindow> windows;

    NetDocument refused;
    m_prompt.yes = false;
    EXPECT_FALSE(openDocument(refused, unversioned, m_prompt, windows));
    ASSERT_EQ(m_prompt.questions.size(), 1u);
    EXPECT_EQ(m_prompt.questions[0],
              "The version number of the file \"" + unversioned + "\" is incorrect. Do you want to continue?");
    EXPECT_TRUE(m_prompt.messages.empty());
    EXPECT_EQ(refused.sheetCount(), 0u);

    NetDocument accepted;
    m_prompt.yes = true;
    EXPECT_TRUE(openDocument(accepted, unversioned, m_prompt, windows));
    EXPECT_EQ(m_prompt.questions.size(), 2u);
    EXPECT_EQ(accepted.sheetCount(), 1u);

    NetDocument newer;
    EXPECT_TRUE(openDocument(newer, versioned, m_prompt, windows));
    EXPECT_EQ(m_prompt.questions.size(), 2u);
}

TEST_F(DocumentFileTest, FileWithoutSheetIsRefused) {
    const std::string file = path("bare.pn");
    writeFile(file, "<?xml version=\"1.0\"?>\r\n<tokarium version=\"1.0.0.0\">\r\n<view id=\"3\"/>\r\n</tokarium>\r\n");
    NetDocument document;
    document.newDocument();
    std::vector<SheetWindow> windows;
    EXPECT_FALSE(openDocument(document, file, m_prompt, windows));
    EXPECT_EQ(document.sheetCount(), 0u);
    EXPECT_TRUE(document.path().empty());
    EXPECT_TRUE(windows.empty());
}

TEST_F(DocumentFileTest, SaveIntoADirectoryPathFailsAndKeepsTheDocumentModified) {
    NetDocument document;
    document.newDocument();
    document.setModified(true);
    const std::string folder = path("folder.pn");
    fs::create_directory(folder);
    writeFile(folder + "/inside.txt", "keep");
    EXPECT_FALSE(saveDocument(document, folder, {}));
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(readFile(folder + "/inside.txt"), "keep");
    EXPECT_EQ(entriesInFolder(), 1u);
    EXPECT_FALSE(saveDocument(document, path("no/such/folder/x.pn"), {}));
}

TEST_F(DocumentFileTest, FailedWriteLeavesThePreviousFileIntact) {
    const std::string file = path("good.pn");
    NetDocument document;
    document.newDocument();
    ASSERT_TRUE(saveDocument(document, file, {}));
    const std::string good = readFile(file);
    for (int i = 0; i < 200; ++i)
        addPlace(document.sheet(0), ObjectKind::kDiscretePlace, i + 1, {i * 50, 0});
    document.setModified(true);

    // A file size limit makes the write of the bigger document fail part-way.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(good.size() + 100);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool saved_ok = saveDocument(document, file, {});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(readFile(file), good);
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(DocumentFileTest, ReadOnlyFolderKeepsThePreviousFile) {
    const std::string file = path("kept.pn");
    // A read-only file system binds every user; permissions bind all but the superuser.
    const auto problems = onSmallFileSystem(
        m_folder, 1 << 16, true, [&] { writeFile(file, "previous"); },
        [&] {
            std::string found;
            if (replaceFile(file, "new content"))
                found += "the file was replaced; ";
            if (readFile(file) != "previous" || entriesInFolder() != 1)
                found += "the folder changed";
            return found;
        });
    if (problems) {
        EXPECT_EQ(*problems, "");
        return;
    }
    if (::geteuid() == 0)
        GTEST_SKIP() << "no file system can be mounted and permissions do not bind the superuser";
    writeFile(file, "previous");
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(replaceFile(file, "new content"));
    fs::permissions(m_folder, fs::perms::owner_all);
    EXPECT_EQ(readFile(file), "previous");
}

TEST_F(DocumentFileTest, SavingOnAFullDiskFailsAndKeepsThePreviousFile) {
    const std::string file = path("full.pn");
    NetDocument document;
    document.newDocument();
    std::string good;
    const auto problems = onSmallFileSystem(
        m_folder, 1 << 16, false,
        [&] {
            (void)saveDocument(document, file, {});
            good = readFile(file);
            fillUpTo(m_folder / "filler", 0);
        },
        [&] {
            for (int i = 0; i < 50; ++i)
                addPlace(document.sheet(0), ObjectKind::kDiscretePlace, i + 1, {i * 50, 0});
            document.setModified(true);
            std::string found;
            if (good.empty())
                found += "the first save failed; ";
            if (saveDocument(document, file, {}))
                found += "the save succeeded; ";
            if (!document.isModified() || readFile(file) != good || entriesInFolder() != 2)
                found += "the old file or the folder changed";
            return found;
        });
    if (!problems)
        GTEST_SKIP() << "no file system can be mounted here (the file size limit test covers the failed write)";
    EXPECT_EQ(*problems, "");
}

TEST_F(DocumentFileTest, ReplaceKeepsThePermissionsOfTheOldFile) {
    const std::string file = path("mode.pn");
    writeFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(replaceFile(file, "new"));
    EXPECT_EQ(readFile(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(DuplicateSheet, CopiesContentUnderTheDefaultNameAndANewId) {
    NetDocument document;
    document.newDocument();
    NetSheet& feeder = document.sheet(0);
    document.assignUniqueName(feeder, "Feeder");
    document.newSheet();
    feeder.setZoom(150);
    feeder.setDuration(40);
    Place& place = addPlace(feeder, ObjectKind::kDiscretePlace, 1, {50, 50});
    place.setInitialMarking(3);
    Transition& transition = addTransition(feeder, ObjectKind::kDiscreteTransition, 1, {150, 50});
    addArc(feeder, ObjectKind::kOrdinaryArc, place, transition);
    PriorityEntry entry;
    entry.placeIndex = 1;
    entry.addElement(1, -1, 0);
    feeder.priorities().push_back(entry);
    document.setModified(false);

    NetSheet& copy = duplicateSheet(document, feeder);
    ASSERT_EQ(document.sheetCount(), 3u);
    EXPECT_EQ(&document.sheet(2), &copy);
    EXPECT_EQ(copy.name(), "PN n\xB0" "3");
    EXPECT_NE(copy.id(), 0);
    EXPECT_NE(copy.id(), feeder.id());
    EXPECT_NE(copy.id(), document.sheet(1).id());
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(copy.zoom(), 150);
    EXPECT_EQ(copy.duration(), 40.0);
    EXPECT_EQ(copy.priorities().size(), 1u);
    ASSERT_NE(copy.findPlace(1), nullptr);
    EXPECT_NE(copy.findPlace(1), &place);
    EXPECT_EQ(copy.findPlace(1)->outputArcs().size(), 1u);

    // Apart from the name and id, the copy writes exactly like the source.
    NetSheet& renamed = copy;
    std::string copiedName = renamed.name();
    std::int32_t copiedId = renamed.id();
    renamed.setName(feeder.name());
    renamed.setId(feeder.id());
    EXPECT_EQ(sheetText(renamed), sheetText(feeder));
    renamed.setName(copiedName);
    renamed.setId(copiedId);
}

TEST_F(DocumentFileTest, ReplaceWritesThroughASymbolicLink) {
    const std::string target = path("target.pn");
    const std::string link = path("link.pn");
    writeFile(target, "old");
    fs::create_symlink(target, link);
    ASSERT_TRUE(replaceFile(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(entriesInFolder(), 2u);
}
