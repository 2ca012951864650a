#pragma once

#include "editor/EditControl.h"
#include "editor/HtmlStyler.h"
#include "editor/NamingState.h"
#include "editor/PreviewCopy.h"
#include "editor/UndoRing.h"
#include "platform/CommandRouter.h"
#include "platform/FileStamp.h"
#include "platform/PlatformUi.h"

#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class CFindReplaceDlg;
class CWeftpageDoc;
class QMenu;
class QMimeData;

// The editing window over the document's text: file commands, multi-level undo and redo
// from whole-text snapshots, the right-button menu, moving the selection by dragging it,
// and the caret's line and column.
class CWeftpageView : public CEditControl, public CCommandTarget {
    Q_OBJECT

public:
    static constexpr std::size_t kDefaultCaret = 21;
    static const std::string kDefaultPage;

    explicit CWeftpageView(CWeftpageDoc& doc, QWidget* parent = nullptr);
    ~CWeftpageView() override;

    // Commands of the right-button menu are offered to this router (the frame's); without
    // one the view handles them itself.
    void SetRouter(const CCommandRouter* router) { m_router = router; }

    // The initial set-up: font and tab stops from the profile, the default page, unnamed.
    // The first time, a non-empty command line names a file to open; false when it cannot
    // be read (the user has been told).
    bool InitialUpdate(const QString& commandLine = QString());

    const CNamingState& Naming() const { return m_naming; }
    // Whether the text is the very text last read from or written to its file (as undo can
    // bring back): the file holds it, and there is nothing to recover.
    bool TextIsOnDisk() const;
    const CUndoRing& UndoHistory() const { return m_undo; }
    // The copy written for previews; it knows whether a file under its name is its own.
    CPreviewCopy& PreviewCopy() { return m_previewCopy; }

    // Asks whether to save changes; false when the user cancelled or the save did not
    // happen, so the caller must not throw the text away.
    bool AskSaveChanges();
    // Writes the text to the file (asking for a name when unnamed); false when cancelled
    // or failed.
    bool SaveDocument();
    void RemovePreviewCopy();
    // When the file on disk changed since it was opened or saved (and the user was not yet
    // asked about that state), offers to reload it; run when the main window is activated.
    void CheckExternalChange();
    // Opens a file dropped on the window (after the save question).
    void OpenFileByPath(const QString& path);
    // The file a drag carries: the first local file among its URLs, or empty when it has
    // none (a web address), so that such a drag is not taken.
    static QString DroppedFile(const QMimeData* mime);
    // Takes over a page the new-file wizard generated as a new unsaved document, named
    // after path or unnamed when path is empty, and modified either way: the page exists
    // nowhere else, and the save question protects it.
    void TakeOverGeneratedPage(const std::string& text, const QString& path);
    // Takes over the text of a recovery copy: named after path (unnamed when empty), marked
    // modified, with an empty undo history, so that Save writes it to path at once.
    void RestoreRecoveredText(const std::string& text, const QString& path);
    void ResetUndoHistory();
    // Puts the selected text between open and close as one change; the caret goes to
    // start + caret (by default right after the selected text).
    void InsertWrapped(std::string_view open, std::string_view close, std::optional<std::size_t> caret = {});
    // Replaces the selected text by text as one change; the caret goes to start + caret
    // (by default after text).
    void InsertReplacing(std::string_view text, std::optional<std::size_t> caret = {});
    // Replaces the selection by the template, "%1" standing for the selected text.
    void InsertTemplateText(const std::string& pattern);
    bool HasSelection() const { return GetSel().start < GetSel().end; }
    // Sets the caret (no selection) at offset and scrolls it into view.
    void PlaceCaret(std::size_t offset);

    struct CaretPosition {
        int line = 1;   // display line, from 1
        int column = 1; // bytes from the display line's start, from 1
    };
    CaretPosition CaretLineColumn() const;

    // Tab width and font as the profile holds them ("Settings"/"TabStop", "Settings"/"Font").
    static int ProfileTabStops();
    static QFont ProfileFont();
    void ApplyProfileTabStops();
    void ApplyProfileFont();

    // The file commands and undo, for the frame's menu and keys.
    void OnFileNew();
    void OnFileBlank();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnEditUndo();
    void OnEditRedo();
    // Sets a text of the undo history, the caret as far from the end as it was.
    void PutBack(const CTextSnapshot& restored);
    void OnEditFind();
    void OnEditReplace();

    CFindReplaceDlg* FindDialog() const;

    // How the page looks: the styler holds the colouring and marking switches; ApplyLooks
    // puts it to work while either is on and repaints.
    CHtmlStyler& Styler() { return m_styler; }
    void ApplyLooks();
    // Tells the user (once) when bytes just opened are probably not Shift-JIS, or declare
    // another charset than they are in.
    void TellIfNotShiftJis(std::string_view bytes, bool complete = true);
    // A message for the status bar's message pane.
    void ShowStatusMessage(const QString& text);

signals:
    void CaptionChanged(const QString& caption);
    void StatusMessage(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RegisterCommands();
    void OnTextChanged();
    void OnUnrepresentable(const QString& characters);
    void SetCaption(const QString& caption);
    void ShowDefaultPage();
    // Reads a file into the editor; false (and the user told) when it cannot be read.
    bool LoadFile(const QString& path);
    // The questions before a save overwrites the file at path: changed by another program,
    // read-only. False when the user says no.
    bool MayOverwrite(const QString& path, bool sameFile);
    void RememberDiskState(const CFileStamp& stamp);
    // Tells of the backups that saves of the file cut off left beside it.
    void TellOfLeftBackups(const QString& path);
    void ShowContextMenu(const QPoint& globalPos);
    void RunCommand(int id);
    void OpenFileByPath(const QString& path, bool askFirst);
    void ShowFindDialog(bool replace);
    // Searching on behalf of the Find and Replace dialog.
    std::optional<std::string> EncodeForSearch(const QString& text, const QString& what);
    bool FindNext();
    // What to find and what to put in its place, as CP932 bytes; nullopt when not usable.
    std::optional<std::pair<std::string, std::string>> ReplaceRequest();
    void ReplaceCurrent();
    void ReplaceAll();
    void TellNotFound(const QString& text);
    // The Save dialog as Save and Save As ask it: the current name, in its folder.
    CPlatformUi::FileDialog SaveRequest() const;
    void StopAutoScroll();

    CWeftpageDoc& m_doc;
    const CCommandRouter* m_router = nullptr;
    CNamingState m_naming = CNamingState::Unnamed();
    CPreviewCopy m_previewCopy;
    CHtmlStyler m_styler;
    CUndoRing m_undo;
    bool m_firstSetUp = true;
    // The file as it was on disk after the last open or save, and the state the user was
    // last asked about, so that one change is asked about once.
    CFileStamp m_diskStamp;
    // The text as last read from or written to the file, while the file is known to hold it.
    CSnapshotMark m_diskText;
    CFileStamp m_askedStamp;
    bool m_checkingDisk = false;

    // Dragging the selection.
    bool m_dragging = false;
    std::string m_draggedText;
    int m_scrollStep = 0;
    QTimer m_scrollTimer;

    QPointer<CFindReplaceDlg> m_findDialog;
};
