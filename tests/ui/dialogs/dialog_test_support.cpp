#include "dialog_test_support.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

void AnswerNextDialog(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0,
                       [answer]
                       {
                           if (QWidget* modal = QApplication::activeModalWidget())
                               answer(modal);
                           else
                               AnswerNextDialog(answer);
                       });
}

void TypeInto(QWidget* field, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
        spin->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void Click(const QWidget* parent, const QString& objectName)
{
    auto* button = Control<QAbstractButton>(parent, objectName);
    QVERIFY2(button, qPrintable(objectName));
    // On the left edge: a check box takes clicks on its box and text only.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

void ClickRow(QTreeWidget* list, int row, bool twice)
{
    // A view takes a double click only on the row it saw pressed.
    const QPoint centre = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
}

QStringList RowTexts(const QTreeWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(0);
    return texts;
}

void AddTypedNumberRows(std::initializer_list<TypedNumber> rows)
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    for (const TypedNumber& row : rows)
        QTest::newRow(row.row) << QString(row.field) << QString(row.text) << row.message;
}

QString Describe(const std::list<CTracker>& trackers)
{
    QString text;
    for (const CTracker& tracker : trackers)
    {
        text += QString::fromStdString(tracker.m_strName) + " [";
        for (auto pos = tracker.m_patterns.begin(); pos != tracker.m_patterns.end(); ++pos)
            text += QString::fromStdString(pos->m_strName) +
                    (pos == tracker.m_posReference ? "* " : " ");
        text += "] [";
        for (const CModel3D& model : tracker.m_models)
            text += QString::fromStdString(model.m_strName) + " ";
        text += "] ";
    }
    return text;
}

CTracker MakeTracker(const std::string& name, std::initializer_list<const char*> patterns,
                     std::initializer_list<const char*> models)
{
    CTracker tracker;
    tracker.m_strName = name;
    for (const char* pattern : patterns)
        tracker.m_patterns.emplace_back().m_strName = pattern;
    for (const char* model : models)
        tracker.m_models.emplace_back().m_strName = model;
    tracker.SetReferenceIndex(0);
    return tracker;
}
