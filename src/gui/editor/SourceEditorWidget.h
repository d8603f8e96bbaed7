// The editor control Memo1: paints the engine's text and feeds it keys and mouse actions.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QStringList>
#include <memory>

#include "editor/SourceEditor.h"

namespace quinkle {

/// A Qt widget over a SourceEditor. It lays out and paints only the visible rows, decodes
/// the stored bytes (UTF-8, stray bytes as Windows-1252), runs every key through the key
/// map and types the rest as UTF-8, and connects the system clipboard and drag and drop.
class SourceEditorWidget : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit SourceEditorWidget(QWidget* parent = nullptr);
    ~SourceEditorWidget() override;

    SourceEditor& Editor();
    const SourceEditor& Editor() const;

    /// The text font ("Courier New" 10 by default).
    QFont EditorFont() const;
    void SetEditorFont(const QFont& font);

signals:
    /// The text changed (after a batch of changes).
    void Changed();
    /// The caret or the selection moved.
    void CaretMoved();
    /// Files were dropped on the editor.
    void FilesDropped(const QStringList& names);
};

}  // namespace quinkle
