#pragma once
// Whether every button, tab and menu title of a window has its own Alt key.

#include <string>
#include <vector>

class QWidget;

namespace rq7::test {

// "btFileSave 'Save': no Alt key" and "btTisk '&Tisk' shares Alt+T with
// btTabulka" for the window's own controls. The per-row buttons of a table
// ("tabTCZmenit_3") repeat one caption and are left out.
std::vector<std::string> mnemonicFaults(QWidget* window);

} // namespace rq7::test
