#pragma once

// Maps the design's font names onto installed faces, so that kana and kanji
// render as glyphs, and makes the design's default face the application's.
// Call right after the QApplication exists, before any widget: only fonts
// made after it see the substitutions.
void installDesignFonts();
