#include "ui/shell/qt_messages.h"

#include <QApplication>
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
    const char* text;
    QMessageBox::ButtonRole role;
    const char* objectName;
};

std::vector<ButtonSpec> Buttons(MessageButtons buttons)
{
    switch (buttons)
    {
    case MessageButtons::OkCancel:
        return {{MessageAnswer::Ok, "Aceptar", QMessageBox::AcceptRole, "okButton"},
                {MessageAnswer::Cancel, "Cancelar", QMessageBox::RejectRole, "cancelButton"}};
    case MessageButtons::YesNo:
        return {{MessageAnswer::Yes, "Sí", QMessageBox::YesRole, "yesButton"},
                {MessageAnswer::No, "No", QMessageBox::NoRole, "noButton"}};
    case MessageButtons::SaveDiscardCancel:
        return {
            {MessageAnswer::Save, "Guardar", QMessageBox::AcceptRole, "saveButton"},
            {MessageAnswer::Discard, "Descartar", QMessageBox::DestructiveRole, "discardButton"},
            {MessageAnswer::Cancel, "Cancelar", QMessageBox::RejectRole, "cancelButton"}};
    case MessageButtons::Ok:
        break;
    }
    return {{MessageAnswer::Ok, "Aceptar", QMessageBox::AcceptRole, "okButton"}};
}
} // namespace

MessageAnswer CQtMessages::Show(const UserMessage& message)
{
    QMessageBox box(BoxIcon(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName("messageBox");
    box.setAccessibleName(QString::fromStdString(message.caption));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const std::vector<ButtonSpec> specs = Buttons(message.buttons);
    std::vector<QPushButton*> pushed;
    for (const ButtonSpec& spec : specs)
    {
        QPushButton* button = box.addButton(QString::fromUtf8(spec.text), spec.role);
        button->setObjectName(spec.objectName);
        button->setAccessibleName(QString::fromUtf8(spec.text));
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
