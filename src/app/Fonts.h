#pragma once

// Maps the design's Japanese font names onto installed Japanese faces, so
// that kana and kanji render as glyphs. Call before any widget exists: only
// fonts made after it see the substitutions.
void installFontSubstitutions();
