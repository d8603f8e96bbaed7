// The per-user store: keys and values, its file, damaged files and failed saves.
#include "engine/store/UserStore.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/store/IniFile.h"
#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

using testing::ScopedEnvironment;
using testing::StoreTestFolder;
using Strings = std::vector<std::string>;

const char* const kHtmlKey = "\\Software\\HTML Quinkle\\HTML";

TEST(UserStoreValues, TextAndBinaryValuesKeepEveryByteThroughTheFile) {
    StoreTestFolder folder;
    std::string path = folder.Path("userstore.dat");
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    std::string name("\tname\n\0%", 8);
    {
        UserStore store(path);
        store.WriteString(kHtmlKey, "Highlighting - HTML", all + "%41");
        store.WriteBinary(kHtmlKey, "Key Assignments - HTML", "\x08Marvox6:" + all);
        store.WriteBinary(kHtmlKey, "Empty", "");
        store.WriteString(kHtmlKey, name, "");
        store.Flush();
        EXPECT_FALSE(store.Modified());
    }
    UserStore back(path);
    EXPECT_TRUE(back.LoadProblems().empty());
    EXPECT_EQ(back.ReadString(kHtmlKey, "highlighting - html", "?"), all + "%41");
    EXPECT_EQ(back.ReadBinary(kHtmlKey, "Key Assignments - HTML"), "\x08Marvox6:" + all);
    EXPECT_EQ(back.ReadBinary(kHtmlKey, "Empty"), std::string());
    EXPECT_EQ(back.ReadString(kHtmlKey, std::string("\tNAME\n\0%", 8), "?"), "");
    EXPECT_EQ(back.ValueNames(kHtmlKey),
              (Strings{"Highlighting - HTML", "Key Assignments - HTML", "Empty", name}));
    std::string file = StoreTestFolder::Read(path);  // one record a line
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 9);
}

TEST(UserStoreValues, TypesAreKeptApartAndAValueMovesToTheEndOnlyWhenWrittenAnew) {
    UserStore store;
    store.WriteString(kHtmlKey, "Style", "text");
    store.WriteBinary(kHtmlKey, "Keys", "\x08");
    EXPECT_EQ(store.ValueType(kHtmlKey, "keys"), UserValueType::Binary);
    EXPECT_EQ(store.ReadString(kHtmlKey, "Keys", "dflt"), "dflt");
    EXPECT_EQ(store.ReadBinary(kHtmlKey, "Style"), std::nullopt);
    store.WriteBinary(kHtmlKey, "style", "bytes");
    EXPECT_EQ(store.ReadBinary(kHtmlKey, "Style"), "bytes");
    EXPECT_EQ(store.ValueNames(kHtmlKey), (Strings{"Style", "Keys"}));
    EXPECT_TRUE(store.DeleteValue(kHtmlKey, "STYLE"));
    EXPECT_FALSE(store.DeleteValue(kHtmlKey, "Style"));
    store.WriteString(kHtmlKey, "Style", "again");
    EXPECT_EQ(store.ValueNames(kHtmlKey), (Strings{"Keys", "Style"}));
}

TEST(UserStoreKeys, PathsIgnoreCaseAndExtraBackslashesAndKeepTheFirstSpelling) {
    UserStore store;
    store.WriteString(kHtmlKey, "v", "1");
    EXPECT_EQ(store.ReadString("software\\html quinkle\\html\\", "V", ""), "1");
    EXPECT_EQ(store.ReadString("\\\\SOFTWARE\\\\HTML QUINKLE\\HTML", "v", ""), "1");
    EXPECT_FALSE(store.KeyExists("\\Software\\HTML"));
    store.CreateKey("\\SOFTWARE\\html quinkle\\Pascal");
    store.WriteString("\\software\\HTML QUINKLE\\C Script", "v", "2");
    UserStore back = UserStore::LoadFromText(store.ToText());
    EXPECT_TRUE(back.LoadProblems().empty());
    EXPECT_EQ(back.SubKeyNames("\\Software\\HTML Quinkle"),
              (Strings{"C Script", "HTML", "Pascal"}));
    EXPECT_EQ(back.SubKeyNames("\\software"), (Strings{"HTML Quinkle"}));
    EXPECT_TRUE(back.KeyExists("\\software\\html quinkle\\pascal"));  // empty keys are kept
}

TEST(UserStoreKeys, DeletingAKeyTakesEverythingBelowItAndNothingBeside) {
    UserStore store;
    for (const char* key : {"\\A\\B", "\\A\\B\\C", "\\A\\B\\C\\D", "\\A\\B C", "\\A\\BC", "\\A\\B!",
                            "\\A\\B[", "\\AB"}) {
        store.WriteString(key, "v", key);
    }
    EXPECT_TRUE(store.DeleteKey("\\a\\b"));
    EXPECT_FALSE(store.DeleteKey("\\A\\B"));
    EXPECT_FALSE(store.KeyExists("\\A\\B\\C\\D"));
    EXPECT_EQ(store.SubKeyNames("\\A"), (Strings{"B C", "B!", "B[", "BC"}));
    EXPECT_TRUE(store.KeyExists("\\AB"));
    EXPECT_FALSE(store.DeleteKey("\\\\"));  // the root stays
}

TEST(UserStoreKeys, RandomEditsMatchAPlainMapAcrossReloads) {
    std::mt19937 random(11);
    const Strings keys = {"\\s\\a", "\\S\\A\\B", "\\s\\ab", "\\s\\a b"}, names = {"x", "X", ""};
    std::map<std::string, std::string> model;  // folded "key|name" -> type letter and data
    auto fold = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    UserStore store;
    for (int step = 0; step < 2000; ++step) {
        const std::string &key = keys[random() % 4], &name = names[random() % 3];
        std::string data(random() % 4, static_cast<char>(random() % 256)), folded = fold(key);
        int what = static_cast<int>(random() % 8);
        if (what == 0) {
            store.DeleteKey(key);
            std::erase_if(model, [&](const auto& e) {
                return e.first.starts_with(folded + "|") || e.first.starts_with(folded + "\\");
            });
        } else if (what == 1) {
            store.DeleteValue(key, name);
            model.erase(folded + "|" + fold(name));
        } else {
            what < 4 ? store.WriteBinary(key, name, data) : store.WriteString(key, name, data);
            model[folded + "|" + fold(name)] = (what < 4 ? "b" : "t") + data;
        }
        if (step % 50 == 0) store = UserStore::LoadFromText(store.ToText());
        for (const std::string& k : keys) {
            for (const std::string& n : names) {
                auto found = model.find(fold(k) + "|" + fold(n));
                std::string got = store.ValueType(k, n) == UserValueType::Binary
                                      ? "b" + store.ReadBinary(k, n).value()
                                  : store.ValueExists(k, n) ? "t" + store.ReadString(k, n, "")
                                                            : "";
                ASSERT_EQ(got, found == model.end() ? "" : found->second) << "step " << step;
            }
        }
    }
}

TEST(UserStoreFile, ADamagedFileLoadsWhatCanBeReadAndSaysWhatWasSkipped) {
    UserStore good;
    good.WriteString("\\K", "first", "1");
    good.WriteString("\\L", "last", "a long value that is cut short");
    std::string text = good.ToText();
    UserStore cut = UserStore::LoadFromText(text.substr(0, text.size() - 20));
    EXPECT_EQ(cut.ReadString("\\K", "first", ""), "1");
    EXPECT_FALSE(cut.ValueExists("\\L", "last"));
    EXPECT_EQ(cut.LoadProblems(),
              (Strings{"User store, line 5: the line is cut off and was skipped",
                       "User store: the end mark is missing: the file may be cut short"}));
    EXPECT_FALSE(cut.Modified());

    UserStore junk = UserStore::LoadFromText(
        "not the header\n"
        "text\torphan\tvalue\n"
        "key\t\\K\r\n"
        "binary\todd\tABC\n"
        "text\tbad escape\t%4\n"
        "text\tgood\tyes\n"
        "end\n"
        "after\n");
    EXPECT_EQ(junk.ValueNames("\\K"), (Strings{"good"}));
    EXPECT_EQ(junk.LoadProblems(),
              (Strings{"User store, line 1: not a user store file header",
                       "User store, line 1: an unreadable line was skipped",
                       "User store, line 2: a value outside any key was skipped",
                       "User store, line 4: an unreadable value was skipped",
                       "User store, line 5: an unreadable value was skipped",
                       "User store, line 8: text after the end mark was ignored"}));

    std::string many = "HTML Quinkle user store 1\n";
    for (int i = 0; i < 50; ++i) many += "garbage\n";
    UserStore flood = UserStore::LoadFromText(many + "end\n");
    ASSERT_EQ(flood.LoadProblems().size(), 21u);
    EXPECT_EQ(flood.LoadProblems().back(), "User store: 30 more problems");
}

TEST(UserStoreFile, TheFirstSaveAfterADamagedLoadKeepsTheDamagedFile) {
    StoreTestFolder folder;
    std::string path = folder.Path("userstore.dat");
    std::string damaged = "HTML Quinkle user store 1\nkey\t\\K\ntext\tv\t1\ngarbage\n";
    StoreTestFolder::Write(path, damaged);
    {
        UserStore store(path);
        EXPECT_EQ(store.LoadProblems().at(0),
                  "User store '" + path + "', line 4: an unreadable line was skipped");
        store.Flush();  // nothing changed: the file stays as it is
        EXPECT_EQ(StoreTestFolder::Read(path), damaged);
        store.WriteString("\\K", "w", "2");
    }  // the destructor saves
    EXPECT_EQ(StoreTestFolder::Read(path + ".damaged"), damaged);
    UserStore back(path);
    EXPECT_TRUE(back.LoadProblems().empty());
    EXPECT_EQ(back.ValueNames("\\K"), (Strings{"v", "w"}));
}

TEST(UserStoreFile, SavesOnlyChangesAndKeepsThemWhenSavingFails) {
    StoreTestFolder folder;
    ScopedEnvironment override("QUINKLE_CONFIG_DIR", folder.Path("sub").c_str());
    std::string path = UserStore::DefaultPath();
    EXPECT_EQ(path, folder.Path("sub/userstore.dat"));
    {
        UserStore store(path);
        store.Flush();
        EXPECT_FALSE(std::filesystem::exists(path));
        store.WriteString(kHtmlKey, "v", "1");
    }
    UserStore back(path);
    back.WriteString(kHtmlKey, "V", "1");
    EXPECT_FALSE(back.Modified());

    StoreTestFolder::Write(folder.Path("plain"), "x");
    UserStore blocked(folder.Path("plain/userstore.dat"));
    blocked.WriteString(kHtmlKey, "v", "1");
    EXPECT_THROW(blocked.Flush(), EStoreError);
    EXPECT_TRUE(blocked.Modified());
}

}  // namespace
}  // namespace quinkle
