// The macro recorder and player: its states, the recording buffer and the playback clock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/store/MacroFile.h"

namespace quinkle {

/// The recorder's state; the values are the component's state numbers.
enum class MacroState {
    Recording = 0,
    Playing = 1,
    PlayPaused = 2,
    RecordPaused = 3,
    Idle = 4,    // a macro name is set
    NoName = 5,  // the initial state
};

/// What became of an event offered to Capture.
enum class CaptureResult {
    Stored,
    Ignored,  // not recording (paused, playing, idle)
    Full,     // the limit was reached: the recording has been written and stopped
};

/// Records input events into a buffer and writes them to MacroName + ".mcr"; reads such a file
/// and hands its events back at their recorded times. The caller supplies the clock (any
/// millisecond count that does not go backwards) and feeds the events to the windows.
///
/// Record and Play are accepted only in state Idle; pause only while recording or playing.
/// During a pause nothing is captured or due, and the pause does not count in the event times
/// or the playback clock.
class MacroRecorder {
public:
    MacroState State() const { return m_state; }
    bool Recording() const {
        return m_state == MacroState::Recording || m_state == MacroState::RecordPaused;
    }
    bool Playing() const {
        return m_state == MacroState::Playing || m_state == MacroState::PlayPaused;
    }

    /// The macro's file name without ".mcr" (a path). Setting it is accepted only in the idle
    /// states, for a non-empty name that differs from the current one; the state becomes Idle.
    const std::string& MacroName() const { return m_name; }
    bool SetMacroName(const std::string& name);
    std::string FileName() const { return m_name + std::string(kMacroExtension); }
    /// Starting playback again when the last event has been handed out.
    bool LoopPlayback = false;

    /// Starts a new recording; false unless the state is Idle.
    bool Record(uint64_t now);
    /// Stores `event` (its Time set from `now`, its window number from `window`) while
    /// recording. When kMaxMacroEvents are already stored the event is dropped and the
    /// recording is written and stopped (Full).
    CaptureResult Capture(MacroEvent event, std::string_view window, uint64_t now);
    /// Ends a recording (paused or not) and writes the file, replacing an old one; false when
    /// nothing was being recorded. Raises EStoreError when the file cannot be written (the
    /// recording has ended all the same).
    bool StopRecording();
    /// The events of the recording going on, or of the macro last played.
    const MacroRecording& Macro() const { return m_macro; }

    /// Reads the macro's file and starts playing it; false unless the state is Idle. Raises
    /// EStoreError "File not found: <file>" when there is no file, EMacroError when it is
    /// damaged; the state stays Idle then.
    bool Play(uint64_t now);
    /// The next event when it is due at `now` (or at once with `fast`), with its window name;
    /// the state becomes Idle after the last one unless LoopPlayback starts the macro again.
    struct DueEvent {
        MacroEvent Event;
        std::string Window;
    };
    std::optional<DueEvent> NextDue(uint64_t now, bool fast = false);
    /// Milliseconds from `now` until the next event is due; 0 when it is due or not playing.
    uint64_t WaitTime(uint64_t now) const;
    /// Stops playback at once; false when nothing was playing.
    bool CancelPlay();

    /// Pauses a recording or playback (state 3 or 2); false in any other state.
    bool Pause(uint64_t now);
    /// Resumes a paused recording or playback; false unless paused.
    bool Resume(uint64_t now);

private:
    uint32_t WindowNumber(std::string_view window);
    void Write();

    MacroState m_state = MacroState::NoName;
    std::string m_name = "Macro1";
    MacroRecording m_macro;
    std::unordered_map<std::string, uint32_t> m_windowNumbers;  // name -> number while recording
    uint64_t m_start = 0;   // clock reading at the start, moved on by every pause
    uint64_t m_paused = 0;  // clock reading when the pause began
    size_t m_next = 0;      // the next event to play
};

}  // namespace quinkle
