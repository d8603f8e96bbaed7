// A document over a scratch folder, with an asker that answers from a queue and records what
// it was asked, and a host that records what it was told.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/document/Document.h"
#include "engine/document/DocumentAsker.h"
#include "engine/document/DocumentHost.h"
#include "engine/store/IniFile.h"
#include "engine/store/StoreTestFolder.h"
#include "engine/store/UserStore.h"

namespace quinkle::testing {

/// One question as the asker saw it.
struct Asked {
    std::string What;  ///< "message", "input", "open" or "save"
    DocumentAsker::Kind Kind = DocumentAsker::Kind::Error;
    std::string Title;
    std::string Text;    ///< message text or prompt
    std::string Filter;  ///< file dialogs
    std::string Value;   ///< the initial value or file name
    int Buttons = 0;
};

/// Answers from a queue; a question without a queued answer is counted as unexpected and
/// answered with Cancel (or a refused dialog).
class ScriptedAsker : public DocumentAsker {
public:
    void AnswerButton(int button) { m_answers.push_back({"message", std::to_string(button)}); }
    void AnswerInput(const std::string& value) { m_answers.push_back({"input", value}); }
    void AnswerFileName(const std::string& name, bool accept = true) {
        m_answers.push_back({accept ? "file" : "refuse", name});
    }

    std::vector<Asked> Questions;
    int Unexpected = 0;

    int Message(Kind kind, const std::string& title, const std::string& text,
                int buttons) override {
        Questions.push_back({"message", kind, title, text, "", "", buttons});
        const auto answer = Next("message");
        return answer ? std::stoi(*answer) : (buttons & Cancel ? Cancel : Ok);
    }
    bool InputBox(const std::string& title, const std::string& prompt,
                  std::string& value) override {
        Questions.push_back({"input", Kind::Information, title, prompt, "", value, 0});
        const auto answer = Next("input");
        if (answer) value = *answer;
        return answer.has_value();
    }
    bool OpenFileName(const std::string& title, const std::string& filter,
                      std::string& fileName) override {
        Questions.push_back({"open", Kind::Information, title, "", filter, fileName, 0});
        return FileName(fileName);
    }
    bool SaveFileName(const std::string& title, const std::string& filter, const std::string&,
                      std::string& fileName) override {
        Questions.push_back({"save", Kind::Information, title, "", filter, fileName, 0});
        return FileName(fileName);
    }

private:
    struct Answer {
        std::string What;
        std::string Value;
    };

    std::optional<std::string> Next(const std::string& what) {
        if (m_answers.empty() || (m_answers.front().What != what &&
                                  !(what == "file" && m_answers.front().What == "refuse"))) {
            ++Unexpected;
            return std::nullopt;
        }
        Answer answer = m_answers.front();
        m_answers.pop_front();
        if (answer.What == "refuse") return std::nullopt;
        return answer.Value;
    }
    bool FileName(std::string& fileName) {
        const auto answer = Next("file");
        if (answer) fileName = *answer;
        return answer.has_value();
    }

    std::deque<Answer> m_answers;
};

/// Records what the document told it; the trash is a folder of the scratch folder.
class RecordingHost : public DocumentHost {
public:
    std::string Program;
    std::string TrashFolder;
    bool Started = true;
    bool TrashWorks = true;
    BodyFields Body;
    std::vector<std::string> Notices;
    std::vector<std::string> Titles;
    std::vector<Charset> Charsets;
    int Replaced = 0;
    int RecentChanges = 0;
    std::vector<std::string> RichTextFiles;  // the rich-text files the host was offered
    std::string ConvertedFile;               // what it answers; empty: the file itself

    bool MoveToTrash(const std::string& path) override {
        if (!TrashWorks) return false;
        std::error_code error;
        std::filesystem::create_directories(TrashFolder, error);
        std::filesystem::rename(
            path, TrashFolder + "/" + std::filesystem::path(path).filename().string(), error);
        return !error;
    }
    void ShowNotice(const std::string& text) override { Notices.push_back(text); }
    bool StartupComplete() const override { return Started; }
    std::string ProgramDir() const override { return Program; }
    BodyFields CurrentBodyFields() const override { return Body; }
    std::string RichTextFileToOpen(const std::string& path) override {
        RichTextFiles.push_back(path);
        return ConvertedFile.empty() ? path : ConvertedFile;
    }
    void TitleChanged(const std::string& title) override { Titles.push_back(title); }
    void TextReplaced() override { ++Replaced; }
    void CharsetChanged(Charset charset) override { Charsets.push_back(charset); }
    void RecentFilesChanged() override { ++RecentChanges; }
};

/// A document with its editor, settings and per-user store in a scratch folder; the program
/// folder is "program/" inside it and holds "default.txt".
class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture() {
        std::filesystem::create_directories(folder.Path("program"));
        host.Program = folder.Path("program/");
        host.TrashFolder = folder.Path("trash");
        StoreTestFolder::Write(folder.Path("program/default.txt"), "template");
        settings.WriteInteger("Config", "Default Startup", 0);
    }

    /// A file in the scratch folder with `bytes`; returns its full path.
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = folder.Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        StoreTestFolder::Write(path, bytes);
        return path;
    }
    static std::string Read(const std::string& path) { return StoreTestFolder::Read(path); }

    /// Types `text` at the caret as a user would.
    void Type(const std::string& text) { editor.TypeText(text); }
    std::string Text() const { return editor.GetText(); }
    void Config(const char* key, int value) { settings.WriteInteger("Config", key, value); }

    StoreTestFolder folder;
    SourceEditor editor;
    IniFile settings{folder.Path("quinkle.ini")};
    UserStore userStore{folder.Path("user.store")};
    ScriptedAsker asker;
    RecordingHost host;
    Document document{editor, settings, userStore, asker, host};
};

}  // namespace quinkle::testing
