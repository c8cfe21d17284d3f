#include "app/qt_messages.h"

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
};

std::vector<ButtonSpec> Buttons(MessageButtons buttons)
{
    switch (buttons)
    {
    case MessageButtons::OkCancel:
        return {{MessageAnswer::Ok, "Aceptar", QMessageBox::AcceptRole},
                {MessageAnswer::Cancel, "Cancelar", QMessageBox::RejectRole}};
    case MessageButtons::YesNo:
        return {{MessageAnswer::Yes, "Sí", QMessageBox::YesRole},
                {MessageAnswer::No, "No", QMessageBox::NoRole}};
    case MessageButtons::SaveDiscardCancel:
        return {{MessageAnswer::Save, "Guardar", QMessageBox::AcceptRole},
                {MessageAnswer::Discard, "Descartar", QMessageBox::DestructiveRole},
                {MessageAnswer::Cancel, "Cancelar", QMessageBox::RejectRole}};
    case MessageButtons::Ok:
        break;
    }
    return {{MessageAnswer::Ok, "Aceptar", QMessageBox::AcceptRole}};
}
} // namespace

MessageAnswer CQtMessages::Show(const UserMessage& message)
{
    QMessageBox box(BoxIcon(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName("mensaje");
    box.setAccessibleName(QString::fromStdString(message.caption));
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    const std::vector<ButtonSpec> specs = Buttons(message.buttons);
    std::vector<QPushButton*> pushed;
    for (const ButtonSpec& spec : specs)
    {
        QPushButton* button = box.addButton(QString::fromUtf8(spec.text), spec.role);
        button->setObjectName(QString("boton") + spec.text);
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
