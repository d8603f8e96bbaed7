// The Macros toolbar and the Macros window: recording, playing and managing macros.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include "engine/store/MacroRecorder.h"

class QLineEdit;
class QListWidget;
class QCheckBox;
class QTimer;

namespace quinkle {

class QuinkleForm;

/// Owns the window's macro recorder. While recording or playing it watches the input of every
/// window of the program (an application event filter): recording stores each key and mouse
/// event, playing feeds the recorded ones back on a timer, and Ctrl+Break ends either. Made
/// once, as a child of the window.
class MacroCommands : public QObject {
public:
    explicit MacroCommands(QuinkleForm& form);
    ~MacroCommands() override;
    static MacroCommands& Of(QuinkleForm& form);

    /// Rec: records into the macro named in the name box (making up a name when there is none).
    void Record();
    /// Stop: ends a recording and writes it; ends a playback.
    void Stop();
    /// Play: plays the macro named in the name box.
    void Play();
    /// View: shows the Macros window.
    void View();
    /// The Macros window's Play: plays the selected macro.
    void PlaySelected();
    /// Moves the selected macro's file, or every listed macro file, to the trash.
    void DeleteSelected();
    void DeleteAll();
    /// Refills the Macros window's list from the macro files in the program folder.
    void ReloadMacroList();

    /// Holds a recording or playback while the program itself is busy (opening a document);
    /// false when there was nothing to hold.
    bool Pause();
    void Resume();

    const MacroRecorder& Recorder() const { return m_recorder; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString Folder() const;
    uint64_t Now() const { return uint64_t(m_clock.elapsed()); }
    void Watch(bool on);
    void EndRecording();
    void ScheduleNext();
    void FeedNext();
    void EndPlayback(const QString& problem);

    QuinkleForm& m_form;
    QLineEdit* m_name;
    QListWidget* m_list;
    QCheckBox* m_fast;
    QTimer* m_timer;
    MacroRecorder m_recorder;
    QElapsedTimer m_clock;
    Qt::MouseButtons m_buttons;
    unsigned long m_timeBase = 0;  // added to recorded times to stamp replayed mouse events
    bool m_feeding = false;        // an event of the macro is being fed
    bool m_watching = false;
};

/// Pauses the window's macro recording or playback for its lifetime.
class MacroPause {
public:
    explicit MacroPause(QuinkleForm& form);
    ~MacroPause();
    MacroPause(const MacroPause&) = delete;
    MacroPause& operator=(const MacroPause&) = delete;

private:
    MacroCommands* m_macros;
};

}  // namespace quinkle
