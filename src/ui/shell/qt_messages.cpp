#include "ui/shell/qt_messages.h"

#include "ui/shell/message_translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace
{
QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon)
    {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec
{
    MessageAnswer answer;
    const char* text; // translated when shown
    QMessageBox::ButtonRole role;
    const char* objectName;
};

std::vector<ButtonSpec> Buttons(MessageButtons buttons)
{
    switch (buttons)
    {
    case MessageButtons::OkCancel:
        return {{MessageAnswer::Ok, QT_TRANSLATE_NOOP("CQtMessages", "Aceptar"),
                 QMessageBox::AcceptRole, "okButton"},
                {MessageAnswer::Cancel, QT_TRANSLATE_NOOP("CQtMessages", "Cancelar"),
                 QMessageBox::RejectRole, "cancelButton"}};
    case MessageButtons::YesNo:
        return {{MessageAnswer::Yes, QT_TRANSLATE_NOOP("CQtMessages", "Sí"), QMessageBox::YesRole,
                 "yesButton"},
                {MessageAnswer::No, QT_TRANSLATE_NOOP("CQtMessages", "No"), QMessageBox::NoRole,
                 "noButton"}};
    case MessageButtons::SaveDiscardCancel:
        return {{MessageAnswer::Save, QT_TRANSLATE_NOOP("CQtMessages", "Guardar"),
                 QMessageBox::AcceptRole, "saveButton"},
                {MessageAnswer::Discard, QT_TRANSLATE_NOOP("CQtMessages", "Descartar"),
                 QMessageBox::DestructiveRole, "discardButton"},
                {MessageAnswer::Cancel, QT_TRANSLATE_NOOP("CQtMessages", "Cancelar"),
                 QMessageBox::RejectRole, "cancelButton"}};
    case MessageButtons::Ok:
        break;
    }
    return {{MessageAnswer::Ok, QT_TRANSLATE_NOOP("CQtMessages", "Aceptar"),
             QMessageBox::AcceptRole, "okButton"}};
}
} // namespace

MessageAnswer CQtMessages::Show(const UserMessage& message)
{
    const QString caption = TranslatedMessage(message.caption);
    QMessageBox box(BoxIcon(message.icon), caption, TranslatedMessage(message.text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setObjectName("messageBox");
    box.setAccessibleName(caption);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const std::vector<ButtonSpec> specs = Buttons(message.buttons);
    std::vector<QPushButton*> pushed;
    for (const ButtonSpec& spec : specs)
    {
        const QString text = QCoreApplication::translate("CQtMessages", spec.text);
        QPushButton* button = box.addButton(text, spec.role);
        button->setObjectName(spec.objectName);
        button->setAccessibleName(text);
        pushed.push_back(button);
    }
    box.setDefaultButton(pushed.front());
    // Escape answers the last button: Cancel, No, or the only one.
    box.setEscapeButton(pushed.back());
    box.exec();
    for (size_t k = 0; k < pushed.size(); ++k)
        if (box.clickedButton() == pushed[k])
            return specs[k].answer;
    return specs.back().answer;
}
