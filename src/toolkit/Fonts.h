#pragma once

#include <thread>

// Has fontconfig read its configuration and the list of installed faces on a
// thread of its own. Start it before the QApplication, which makes the
// display connection meanwhile: the first caption would otherwise wait for
// the whole reading. On two cores the two slow each other a little, and the
// start still gains. Join it once the application object exists.
[[nodiscard]] std::jthread readFontConfigurationAside();

// Maps the design's font names onto installed faces, so that kana and kanji
// render as glyphs, and makes the design's default face the application's.
// Call right after the QApplication exists, before any widget: only fonts
// made after it see the substitutions.
void installDesignFonts();

// Makes the faces that come with the program, where the system lacks the
// design's, known to the application.
void addBundledFonts();
