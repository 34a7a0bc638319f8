#pragma once

#include "toolkit/WorkArea.h"

// The work area as the desktop the program runs on tells it.
class DesktopWorkArea final : public WorkArea {
public:
    WorkAreaRect query() override;
    bool known() override;
};
