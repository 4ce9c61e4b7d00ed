#include "ui/dialogs/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace rq7::ui {

namespace {

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonOf(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QMessageBox* buildMessageBox(const Message& message, QWidget* parent) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(QString::fromStdString(message.title));
    box->setText(QString::fromStdString(message.text));
    box->setTextFormat(Qt::PlainText); // texts from language files are never markup
    if (!message.detail.empty())
        box->setDetailedText(QString::fromStdString(message.detail));
    box->setIcon(iconOf(message.icon));
    box->setStandardButtons(buttonsOf(message.buttons));
    // The first button is the default; Esc and the close box give the
    // message's own default answer.
    box->setDefaultButton(message.buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes);
    box->setEscapeButton(box->button(buttonOf(message.defaultAnswer())));
    const std::pair<QMessageBox::StandardButton, const std::string*> captions[] = {
        {QMessageBox::Yes, &message.yesCaption},
        {QMessageBox::No, &message.noCaption},
        {QMessageBox::Cancel, &message.cancelCaption}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box->button(which); button && !caption->empty())
            button->setText(QString::fromStdString(*caption));
    return box;
}

Answer MessageBoxPrompter::ask(const Message& message) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = owner_;
    std::unique_ptr<QMessageBox> box(buildMessageBox(message, parent));
    box->exec();
    switch (box->standardButton(box->clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return message.defaultAnswer();
    }
}

} // namespace rq7::ui
