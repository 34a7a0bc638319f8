#pragma once

#include <QString>

// The fixed text of the help window.
namespace helptext {

// The address for comments, shown in the help text's footer and beside the
// window's close button.
QString contactAddress();

// The help text: 104 lines, each ended by CR LF.
QString text();

} // namespace helptext
