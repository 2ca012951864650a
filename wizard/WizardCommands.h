#pragma once

class CCommandTarget;
class CWeftpageView;
class QWidget;

// "新規作成ウィザード(&W)..." (32812) on the view.
void RegisterWizardCommand(CWeftpageView& view);
// "ｽｹﾙﾄﾝの編集(&S)..." (32813) on the frame, with the frame as the owner of the dialog.
void RegisterSkeletonCommand(CCommandTarget& frame, QWidget* window);

// Asks to save changes, runs the new-file wizard and, when it finishes, hands its page
// to the view as a new unsaved document.
void RunNewWizard(CWeftpageView& view);
// Shows the skeleton customisation dialog.
void RunSkeletonCustomisation(QWidget* parent);
