#pragma once
// What the dialog tests share: a dialog host that answers nested dialogs
// with scripted edits, answering the next modal dialog, and user actions on
// controls found by object name.

#include "app/dialog_host.h"

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
    bool EditTracker(CTracker& tracker, const std::string& projectDir) override
    {
        return m_editTracker && m_editTracker(tracker, projectDir);
    }
    bool EditPattern(CPattern& pattern, const std::string& projectDir) override
    {
        return m_editPattern && m_editPattern(pattern, projectDir);
    }
    bool EditModel(CModel3D& model, const std::string& projectDir) override
    {
        return m_editModel && m_editModel(model, projectDir);
    }

    std::function<bool(CTracker&, const std::string&)> m_editTracker;
    std::function<bool(CPattern&, const std::string&)> m_editPattern;
    std::function<bool(CModel3D&, const std::string&)> m_editModel;
};

// Runs `answer` on the next modal dialog once its event loop runs.
void AnswerNextDialog(std::function<void(QWidget*)> answer);

template <class TWidget = QWidget> TWidget* Control(const QWidget* parent, const char* objectName)
{
    return parent->findChild<TWidget*>(QString::fromLatin1(objectName));
}

// Replaces the field's text by typing, as a user would.
void TypeInto(QWidget* field, const QString& text);
void Click(const QWidget* parent, const char* objectName);
void ClickRow(QTreeWidget* list, int row);
void DoubleClickRow(QTreeWidget* list, int row);
QStringList RowTexts(const QTreeWidget* list);

// Names, patterns (with the reference starred) and models of every tracker,
// to compare whole lists in one go.
QString Describe(const std::list<CTracker>& trackers);

CTracker MakeTracker(const std::string& name, std::initializer_list<const char*> patterns,
                     std::initializer_list<const char*> models);
