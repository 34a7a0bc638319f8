#pragma once

#include <QApplication>

#include <thread>

namespace detail {
// Made before the QApplication base: fontconfig reads its configuration
// while the application object connects to the display.
struct FontConfigurationReading {
    FontConfigurationReading();
    std::jthread reading;
};
} // namespace detail

// The application object as the program runs: named as the desktop entry
// names it, with the design's fonts and the program's style. The program and
// its start-up benchmark both start with it.
class ProgramApplication : private detail::FontConfigurationReading, public QApplication {
public:
    // `argc` must outlive the application, as QApplication's must.
    ProgramApplication(int& argc, char** argv);
};
