#include "device/DeviceMessages.h"

#include "device/DeviceTables.h"

namespace rq7::device {

namespace {

Message Make(std::string key, std::string text, Icon icon, Buttons buttons = Buttons::Ok) {
    Message message;
    message.key = std::move(key);
    message.text = std::move(text);
    message.icon = icon;
    message.buttons = buttons;
    return message;
}

} // namespace

Message PortFailedMessage(const Texts& texts, const std::string& portName,
                          const std::string& reason) {
    std::string text = texts.get("msg025") + portName + ".";
    if (!reason.empty())
        text += "\n" + reason;
    return Make("msg025", std::move(text), Icon::Critical);
}

Message PressKeyMessage(const Texts& texts) {
    return Make("msg026", texts.get("msg026"), Icon::Information);
}

Message UnknownDeviceMessage(const Texts& texts) {
    const std::string composed =
        czechDefault("msg028") + "\r\n" + texts.get("msg028b") + ProductNameList();
    return Make("msg028", texts.get("msg028", composed), Icon::Information);
}

Message VersionTooOldMessage(const Texts& texts, const std::string& minimum) {
    return Make("msg030", texts.get("msg030") + minimum + texts.get("msg031"), Icon::Critical);
}

Message ActivationFailedMessage(const Texts& texts) {
    return Make("msg032", texts.get("msg032"), Icon::Critical);
}

Message ConnectionLostMessage(const Texts& texts) {
    return Make("msg070", texts.get("msg070"), Icon::Critical);
}

Message DeactivationFailedMessage(const Texts& texts) {
    return Make("msg033", texts.get("msg033"), Icon::Critical, Buttons::YesNo);
}

} // namespace rq7::device
