// The Create Form dialog: a tool window whose four pages insert a form, input elements, a
// selection list and a text area at the editor's caret.
#pragma once

#include <QDialog>

#include "engine/html/FormText.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quinkle {

class InsertHost;

/// The pages, in their order.
enum class FormPage { Form, Input, Select, TextArea };

/// Each page's Insert button inserts that page's element through the host as one undo step
/// and leaves the dialog open; OK, Escape and the close box close it. It stays on top of the
/// other windows, and its fields keep their values.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    explicit FormDialog(InsertHost& host, QWidget* parent = nullptr);

    void ShowPage(FormPage page);
    FormPage Page() const;

    FormFields Form() const;
    InputFields Input() const;
    SelectFields Select() const;
    TextAreaFields TextArea() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeFormPage();
    QWidget* MakeInputPage();
    QWidget* MakeSelectPage();
    QWidget* MakeTextAreaPage();
    void ShowInputFields();
    void OptionsChanged();
    void Insert(const GeneratedText& generated, int code);

    InsertHost& m_host;
    QTabWidget* m_pages = nullptr;
    QRadioButton* m_get = nullptr;
    QLineEdit* m_eAction = nullptr;
    QButtonGroup* m_rIType = nullptr;
    QLineEdit* m_inpName = nullptr;
    QLineEdit* m_inpValue = nullptr;
    QSpinBox* m_iseSize = nullptr;
    QSpinBox* m_seInsert = nullptr;
    QList<QWidget*> m_nameFields;  // the name and copy count fields with their labels
    QList<QWidget*> m_sizeFields;
    QLineEdit* m_eName = nullptr;
    QSpinBox* m_seSize = nullptr;
    QPlainTextEdit* m_Opts = nullptr;
    QLabel* m_DefOpt = nullptr;
    QSpinBox* m_seDefOpt = nullptr;
    QCheckBox* m_cbMulti = nullptr;
    QSpinBox* m_seRows = nullptr;
    QSpinBox* m_seCols = nullptr;
    QLineEdit* m_taName = nullptr;
};

}  // namespace quinkle
