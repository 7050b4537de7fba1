#pragma once
#include <functional>
#include <vector>

#include "platform/Menu.h"

namespace qv::test {

// Records every popup menu shown; the test picks the command the user chooses.
class FakeMenu : public Menu {
  public:
    std::vector<std::vector<MenuEntry>> shown;
    int choice = 0;

    int TrackPopupAtCursor(const std::vector<MenuEntry>& entries) override {
        shown.push_back(entries);
        return choice;
    }
};

}  // namespace qv::test
