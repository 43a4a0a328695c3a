#pragma once
// The style of a serial page's open button: green while the port is closed
// (the button opens it), red while it is open (the button closes it).

namespace OpenButtonStyle {

inline constexpr char kClosed[] = "QPushButton {   background-color: #4CAF50;   color: white;   font-weight: bold;}"
                                  "QPushButton:pressed {   background-color: #45A049;}";
inline constexpr char kOpen[] = "QPushButton {   background-color: #FF4A19;   color: white;   font-weight: bold;}"
                                "QPushButton:pressed {   background-color: #FF5722;}";

} // namespace OpenButtonStyle
