#pragma once
// What the dialog tests share: a dialog host answering nested dialogs with
// scripted edits, answering the next modal dialog, and user actions on
// controls found by object name.

#include "document/dialog_host.h"
#include "support/recording_messages.h"

#include <QString>
#include <QWidget>

#include <functional>

class QTreeWidget;

class CScriptedDialogHost : public CDialogHost
{
  public:
    bool EditProperties(CProjectSettings&, std::list<CTracker>&, const std::string&) override
    {
        return false;
    }
    bool EditTracker(CTracker& tracker, const std::string&) override
    {
        return m_editTracker && m_editTracker(tracker);
    }
    bool EditPattern(CPattern& pattern, const std::string&) override
    {
        return m_editPattern && m_editPattern(pattern);
    }
    bool EditModel(CModel3D& model, const std::string&, double) override
    {
        return m_editModel && m_editModel(model);
    }

    std::function<bool(CTracker&)> m_editTracker;
    std::function<bool(CPattern&)> m_editPattern;
    std::function<bool(CModel3D&)> m_editModel;
};

// Runs `answer` on the next modal dialog once its event loop runs.
void AnswerNextDialog(std::function<void(QWidget*)> answer);

template <class TWidget = QWidget>
TWidget* Control(const QWidget* parent, const QString& objectName)
{
    return parent->findChild<TWidget*>(objectName);
}

// Replaces the field's text by typing, as a user would.
void TypeInto(QWidget* field, const QString& text);
void Click(const QWidget* parent, const QString& objectName);
void ClickRow(QTreeWidget* list, int row, bool twice = false);
QStringList RowTexts(const QTreeWidget* list);

// A table of numbers typed into a dialog's fields: the field, the text, and
// the message OK answers with (empty when the number is taken).
struct TypedNumber
{
    const char* row;
    const char* field;
    const char* text;
    QString message;
};
void AddTypedNumberRows(std::initializer_list<TypedNumber> rows);

// Every tracker's name, patterns (the reference starred) and models.
QString Describe(const std::list<CTracker>& trackers);
CTracker MakeTracker(const std::string& name, std::initializer_list<const char*> patterns,
                     std::initializer_list<const char*> models = {});
