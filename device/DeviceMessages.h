#pragma once
// The message boxes of activation and deactivation, with their texts in the
// current language.

#include "ports/Prompter.h"
#include "ui/language/catalogue/Texts.h"

#include <string>

namespace rq7::device {

// msg025: the port could not be opened. The system's reason, when there is
// one, follows on a line of its own.
Message PortFailedMessage(const Texts& texts, const std::string& portName,
                          const std::string& reason);
// msg026: press the device's key, then OK.
Message PressKeyMessage(const Texts& texts);
// msg028 with msg028b and the list of known models; a language that defines
// msg028 replaces the whole text.
Message UnknownDeviceMessage(const Texts& texts);
// msg030, the minimum version, msg031.
Message VersionTooOldMessage(const Texts& texts, const std::string& minimum);
// msg032: activation failed.
Message ActivationFailedMessage(const Texts& texts);
// msg070: the port went away during a command; the device is inactive.
Message ConnectionLostMessage(const Texts& texts);
// msg033: the device did not confirm the end of programming; Yes/No.
Message DeactivationFailedMessage(const Texts& texts);

} // namespace rq7::device
