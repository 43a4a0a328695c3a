#pragma once
// Style sheets of the pages' open and connect buttons: green while closed,
// red while open.

namespace OpenButtonStyle {

inline constexpr char kClosed[] = "QPushButton {   background-color: #4CAF50;   color: white;   font-weight: bold;}"
                                  "QPushButton:pressed {   background-color: #45A049;}";
inline constexpr char kOpen[] = "QPushButton {   background-color: #FF4A19;   color: white;   font-weight: bold;}"
                                "QPushButton:pressed {   background-color: #FF5722;}";

} // namespace OpenButtonStyle
