// Macro files and the recorder: the record layout, refused files, the naming and listing rules,
// the recorder's states, its limit and its clocks.
#include "engine/store/MacroFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/store/IniFile.h"
#include "engine/store/MacroRecorder.h"
#include "engine/store/StoreTestFolder.h"

namespace quinkle {
namespace {

using testing::StoreTestFolder;
using Strings = std::vector<std::string>;

std::string Bytes(std::initializer_list<uint32_t> words) {
    std::string out;
    for (uint32_t word : words)
        for (int i = 0; i < 4; ++i) out.push_back(char(word >> (8 * i)));
    return out;
}

TEST(MacroFile, RecordsAreTwentyLittleEndianBytesWithNamesBeforeTheirFirstUse) {
    MacroRecording macro;
    macro.Windows = {"Memo1", "QuinkleForm/MainTool/btnNew"};  // the second needs 3 records
    macro.Events = {
        {mmKeyDown, 0x41 | 0x2000, 'A', 5, 1},
        {mmLeftDown, -3, 70000, 900, 2 | (uint32_t(0x4000) << 16)},
        {mmLeftUp, 4, 5, 1000, 2},
    };
    const std::string bytes = EncodeMacro(macro);
    ASSERT_EQ(bytes.size(), 7 * kMacroRecordSize);
    EXPECT_EQ(bytes.substr(0, 20), Bytes({mmWindowName, 1, 0x6F6D654D, 0x31, 0}));  // "Memo1"
    EXPECT_EQ(bytes.substr(20, 20), Bytes({mmKeyDown, 0x2041, 'A', 5, 1}));
    EXPECT_EQ(bytes.substr(40, 4), Bytes({mmWindowName}));
    EXPECT_EQ(bytes.substr(100, 20), Bytes({mmLeftDown, uint32_t(-3), 70000, 900, 0x40000002}));
    EXPECT_EQ(DecodeMacro(bytes, "m.mcr"), macro);

    // A macro of 1,000 events that name no window is 20,000 bytes.
    MacroRecording plain;
    plain.Events.assign(1000, MacroEvent{mmMouseMove, 1, 2, 3, 0});
    EXPECT_EQ(EncodeMacro(plain).size(), 20000u);
    EXPECT_EQ(DecodeMacro(EncodeMacro(plain), "p.mcr"), plain);
    EXPECT_EQ(DecodeMacro("", "e.mcr"), MacroRecording{});
}

TEST(MacroFile, DamagedFilesAreRefusedWithTheirFault) {
    const std::string key = Bytes({mmKeyDown, 0x41, 0, 0, 0});
    const std::string name = Bytes({mmWindowName, 1, 0x41, 0, 0});
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"short record", key + "abc", "size of 23 bytes is not a whole number of 20-byte"},
        {"single byte", "x", "size of 1 bytes"},
        {"unknown code", key + Bytes({0x0111, 0, 0, 0, 0}),
         "record 2 holds the unknown message "
         "code $00000111"},
        {"window never named", Bytes({mmKeyDown, 0x41, 0, 0, 1}), "refers to window 1"},
        {"window named after use", Bytes({mmKeyDown, 0x41, 0, 0, 1}) + name, "refers to window"},
        {"names out of order", Bytes({mmWindowName, 2, 0, 0, 0}), "names window 2 out of order"},
        {"name continued after an event", name + key + Bytes({mmWindowName, 1, 0, 0, 0}),
         "names window 1 out of order"},
    };
    for (const auto& c : cases) {
        try {
            DecodeMacro(c.bytes, "/p/Bad.mcr");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const EMacroError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find("Macro file /p/Bad.mcr is damaged"), std::string::npos) << text;
            EXPECT_NE(text.find(c.message), std::string::npos) << c.name << ": " << text;
        }
    }
}

TEST(MacroFile, NamesAndListingFollowTheFilesInTheFolder) {
    const struct {
        Strings files;
        std::string unique;
        Strings listed;
    } cases[] = {
        {{}, "Macro1", {"No Macros Found"}},
        {{"Macro1.mcr"}, "Macro2", {"Macro1"}},
        {{"Macro1.mcr", "Macro2.mcr", "Macro4.mcr"}, "Macro3", {"Macro1", "Macro2", "Macro4"}},
        {{"Macro2.mcr", "b.mcr", "A.mcr", "notes.txt", ".mcr", "x.mcr.bak"},
         "Macro1",
         {"A", "Macro2", "b"}},
        {{"Macro1.MCR"}, "Macro1", {"No Macros Found"}},
    };
    for (const auto& c : cases) {
        StoreTestFolder folder;
        for (const std::string& file : c.files) StoreTestFolder::Write(folder.Path(file), "");
        EXPECT_EQ(MakeUniqueMacroName(folder.Path()), c.unique);
        EXPECT_EQ(ListMacroNames(folder.Path()), c.listed);
    }
    EXPECT_EQ(ListMacroNames("/no/such/folder"), Strings{"No Macros Found"});
}

// Runs one step of the recorder named by a word, at clock `now`; the result is what the
// operation returned.
bool Step(MacroRecorder& recorder, const std::string& step, uint64_t now,
          const StoreTestFolder& folder) {
    static int names = 0;
    if (step == "name") return recorder.SetMacroName(folder.Path("m" + std::to_string(++names)));
    if (step == "same") return recorder.SetMacroName(recorder.MacroName());
    if (step == "empty") return recorder.SetMacroName("");
    if (step == "rec") return recorder.Record(now);
    if (step == "key")
        return recorder.Capture({mmKeyDown, 0x41, 'a'}, "Memo1", now) == CaptureResult::Stored;
    if (step == "stop") return recorder.StopRecording();
    if (step == "play") return recorder.Play(now);
    if (step == "next") return recorder.NextDue(now, true).has_value();
    if (step == "cancel") return recorder.CancelPlay();
    if (step == "pause") return recorder.Pause(now);
    if (step == "resume") return recorder.Resume(now);
    ADD_FAILURE() << "unknown step " << step;
    return false;
}

TEST(MacroRecorder, StatesFollowTheOperationsAccepted) {
    // Each step: operation, whether it is accepted, the state afterwards.
    struct StepCase {
        const char* step;
        bool accepted;
        MacroState after;
    };
    using S = MacroState;
    const struct {
        const char* name;
        std::vector<StepCase> steps;
    } cases[] = {
        {"record needs a name",
         {{"rec", false, S::NoName},
          {"play", false, S::NoName},
          {"pause", false, S::NoName},
          {"empty", false, S::NoName},
          {"same", false, S::NoName},
          {"name", true, S::Idle},
          {"same", false, S::Idle},
          {"name", true, S::Idle}}},
        {"record, pause, stop",
         {{"name", true, S::Idle},
          {"rec", true, S::Recording},
          {"key", true, S::Recording},
          {"rec", false, S::Recording},
          {"play", false, S::Recording},
          {"name", false, S::Recording},
          {"pause", true, S::RecordPaused},
          {"key", false, S::RecordPaused},
          {"pause", false, S::RecordPaused},
          {"resume", true, S::Recording},
          {"resume", false, S::Recording},
          {"cancel", false, S::Recording},
          {"stop", true, S::Idle},
          {"stop", false, S::Idle}}},
        {"stop while paused writes",
         {{"name", true, S::Idle},
          {"rec", true, S::Recording},
          {"key", true, S::Recording},
          {"pause", true, S::RecordPaused},
          {"stop", true, S::Idle},
          {"play", true, S::Playing},
          {"next", true, S::Idle}}},
        {"play to the end, pause, cancel",
         {{"name", true, S::Idle},
          {"rec", true, S::Recording},
          {"key", true, S::Recording},
          {"key", true, S::Recording},
          {"stop", true, S::Idle},
          {"key", false, S::Idle},
          {"play", true, S::Playing},
          {"rec", false, S::Playing},
          {"stop", false, S::Playing},
          {"pause", true, S::PlayPaused},
          {"next", false, S::PlayPaused},
          {"resume", true, S::Playing},
          {"next", true, S::Playing},
          {"next", true, S::Idle},
          {"next", false, S::Idle},
          {"play", true, S::Playing},
          {"cancel", true, S::Idle},
          {"cancel", false, S::Idle}}},
    };
    for (const auto& c : cases) {
        StoreTestFolder folder;
        MacroRecorder recorder;
        uint64_t now = 100;
        for (const StepCase& s : c.steps) {
            EXPECT_EQ(Step(recorder, s.step, now += 10, folder), s.accepted)
                << c.name << ": " << s.step;
            EXPECT_EQ(recorder.State(), s.after) << c.name << ": " << s.step;
        }
    }
}

TEST(MacroRecorder, PlayingAMissingOrDamagedFileLeavesTheRecorderIdle) {
    StoreTestFolder folder;
    MacroRecorder recorder;
    recorder.SetMacroName(folder.Path("gone"));
    try {
        recorder.Play(0);
        ADD_FAILURE() << "missing file played";
    } catch (const EStoreError& error) {
        EXPECT_EQ(std::string(error.what()), "File not found: " + folder.Path("gone.mcr"));
    }
    StoreTestFolder::Write(folder.Path("gone.mcr"), "12345");
    EXPECT_THROW(recorder.Play(0), EMacroError);
    EXPECT_EQ(recorder.State(), MacroState::Idle);
}

TEST(MacroRecorder, PausesDoNotCountInRecordedTimesNorInThePlaybackClock) {
    StoreTestFolder folder;
    MacroRecorder recorder;
    recorder.SetMacroName(folder.Path("timed"));
    ASSERT_TRUE(recorder.Record(1000));
    recorder.Capture({mmKeyDown, 0x41, 'a'}, "Memo1", 1100);
    recorder.Pause(1200);
    recorder.Capture({mmKeyDown, 0x42, 'b'}, "Memo1", 1300);  // not captured
    recorder.Resume(1700);                                    // 500 ms paused
    recorder.Capture({mmLeftDown, 3, 4}, "QuinkleForm/MainTool/btnNew", 1800);
    ASSERT_TRUE(recorder.StopRecording());

    ASSERT_TRUE(recorder.Play(5000));
    ASSERT_EQ(recorder.Macro().Events.size(), 2u);
    EXPECT_EQ(recorder.Macro().Events[0].Time, 100u);
    EXPECT_EQ(recorder.Macro().Events[1].Time, 300u);
    EXPECT_EQ(recorder.WaitTime(5000), 100u);
    EXPECT_FALSE(recorder.NextDue(5099));
    const auto first = recorder.NextDue(5100);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Window, "Memo1");
    EXPECT_EQ(first->Event.ParamH, 'a');
    recorder.Pause(5150);
    EXPECT_FALSE(recorder.NextDue(9999));
    recorder.Resume(6150);  // the last event moves from 5300 to 6300
    EXPECT_EQ(recorder.WaitTime(6150), 150u);
    EXPECT_FALSE(recorder.NextDue(6299));
    const auto second = recorder.NextDue(6300);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Window, "QuinkleForm/MainTool/btnNew");
    EXPECT_EQ(recorder.State(), MacroState::Idle);

    // Looping starts the macro again at once, on a clock from the last event.
    recorder.LoopPlayback = true;
    ASSERT_TRUE(recorder.Play(0));
    EXPECT_TRUE(recorder.NextDue(100));
    EXPECT_TRUE(recorder.NextDue(300));
    EXPECT_EQ(recorder.State(), MacroState::Playing);
    EXPECT_EQ(recorder.WaitTime(300), 100u);
}

TEST(MacroRecorder, TheEventBeyondTheLimitStopsAndWritesTheRecording) {
    StoreTestFolder folder;
    MacroRecorder recorder;
    recorder.SetMacroName(folder.Path("full"));
    ASSERT_TRUE(recorder.Record(0));
    for (size_t i = 0; i < kMaxMacroEvents; ++i)
        ASSERT_EQ(recorder.Capture({mmMouseMove, 1, 2}, "", i), CaptureResult::Stored);
    EXPECT_EQ(recorder.Capture({mmMouseMove, 1, 2}, "", kMaxMacroEvents), CaptureResult::Full);
    EXPECT_EQ(recorder.State(), MacroState::Idle);
    EXPECT_EQ(StoreTestFolder::Read(folder.Path("full.mcr")).size(), 20 * kMaxMacroEvents);
    EXPECT_EQ(recorder.Capture({mmMouseMove, 1, 2}, "", 0), CaptureResult::Ignored);
}

}  // namespace
}  // namespace quinkle
