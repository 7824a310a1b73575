#pragma once

class QWidget;

// Shrinks and moves a top-level window so that it lies within the available area of its screen: a size
// kept from another screen or scale (a window saved at 1280 × 800 comes back 2560 × 1600 at 200 %) must not
// leave its buttons out of reach.
void fitIntoScreen(QWidget& window);
