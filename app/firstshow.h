#pragma once
// Builds costly page content (web views, maps, 3D views) only when the user
// first looks at it, so start-up neither pays for it nor starts helper
// processes for pages nobody opens.

#include <functional>

class QWidget;

// Runs `create` once, when `page` is first shown (for a tab page: when its
// tab is first chosen, or at once if it is already on screen). Nothing runs
// if the page is destroyed before it is ever shown.
void whenFirstShown(QWidget *page, std::function<void()> create);
