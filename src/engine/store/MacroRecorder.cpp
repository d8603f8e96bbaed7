// The macro recorder's state machine, buffer and playback clock.
#include "engine/store/MacroRecorder.h"

#include "engine/store/IniFile.h"

namespace quinkle {

bool MacroRecorder::SetMacroName(const std::string& name) {
    if (m_state != MacroState::Idle && m_state != MacroState::NoName) return false;
    if (name.empty() || name == m_name) return false;
    m_name = name;
    m_state = MacroState::Idle;
    return true;
}

bool MacroRecorder::Record(uint64_t now) {
    if (m_state != MacroState::Idle) return false;
    m_macro = {};
    m_windowNumbers.clear();
    m_macro.Events.reserve(kMaxMacroEvents + 1);
    m_start = now;
    m_state = MacroState::Recording;
    return true;
}

uint32_t MacroRecorder::WindowNumber(std::string_view window) {
    if (window.empty()) return 0;
    const auto [at, added] = m_windowNumbers.try_emplace(std::string(window), 0);
    if (!added) return at->second;
    // Numbers beyond 16 bits cannot be stored: such events go to no named window.
    if (m_macro.Windows.size() >= 0xFFFF) return 0;
    m_macro.Windows.emplace_back(window);
    at->second = uint32_t(m_macro.Windows.size());
    return at->second;
}

CaptureResult MacroRecorder::Capture(MacroEvent event, std::string_view window, uint64_t now) {
    if (m_state != MacroState::Recording) return CaptureResult::Ignored;
    if (m_macro.Events.size() >= kMaxMacroEvents) {
        StopRecording();
        return CaptureResult::Full;
    }
    event.Time = uint32_t(now >= m_start ? now - m_start : 0);
    event.Window = (event.Window & 0xFFFF0000u) | WindowNumber(window);
    m_macro.Events.push_back(event);
    return CaptureResult::Stored;
}

bool MacroRecorder::StopRecording() {
    if (!Recording()) return false;
    m_state = MacroState::Idle;
    Write();
    return true;
}

void MacroRecorder::Write() { WriteFileAtomically(FileName(), EncodeMacro(m_macro), "macro"); }

bool MacroRecorder::Play(uint64_t now) {
    if (m_state != MacroState::Idle) return false;
    std::string bytes;
    bool missing = false;
    const std::string problem = ReadWholeFile(FileName(), bytes, missing);
    if (missing) throw EStoreError("File not found: " + FileName());
    if (!problem.empty()) throw EStoreError("Cannot read macro " + FileName() + ": " + problem);
    m_macro = DecodeMacro(bytes, FileName());
    m_next = 0;
    m_start = now;
    m_state = MacroState::Playing;
    if (m_macro.Events.empty()) m_state = MacroState::Idle;
    return true;
}

std::optional<MacroRecorder::DueEvent> MacroRecorder::NextDue(uint64_t now, bool fast) {
    if (m_state != MacroState::Playing || m_next >= m_macro.Events.size()) return std::nullopt;
    const MacroEvent& event = m_macro.Events[m_next];
    if (!fast && now < m_start + event.Time) return std::nullopt;
    DueEvent due{event, std::string(m_macro.WindowOf(event))};
    if (++m_next == m_macro.Events.size()) {
        if (LoopPlayback) {
            m_next = 0;
            m_start = now;
        } else {
            m_state = MacroState::Idle;
        }
    }
    return due;
}

uint64_t MacroRecorder::WaitTime(uint64_t now) const {
    if (m_state != MacroState::Playing || m_next >= m_macro.Events.size()) return 0;
    const uint64_t due = m_start + m_macro.Events[m_next].Time;
    return due > now ? due - now : 0;
}

bool MacroRecorder::CancelPlay() {
    if (!Playing()) return false;
    m_state = MacroState::Idle;
    return true;
}

bool MacroRecorder::Pause(uint64_t now) {
    if (m_state == MacroState::Recording)
        m_state = MacroState::RecordPaused;
    else if (m_state == MacroState::Playing)
        m_state = MacroState::PlayPaused;
    else
        return false;
    m_paused = now;
    return true;
}

bool MacroRecorder::Resume(uint64_t now) {
    if (m_state == MacroState::RecordPaused)
        m_state = MacroState::Recording;
    else if (m_state == MacroState::PlayPaused)
        m_state = MacroState::Playing;
    else
        return false;
    if (now > m_paused) m_start += now - m_paused;
    return true;
}

}  // namespace quinkle
