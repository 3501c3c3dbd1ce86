#pragma once
// The font caches cairo and fontconfig keep for the whole process.

// Releases them, so that a leak checker at exit sees only real leaks. While
// a surface draws with cairo, its fonts are in use: the release then waits
// until the last such surface is gone. The library releases them by itself
// at exit too, so a host need not call this at all.
void ReleaseFontCaches();

// A cairo drawing context counts itself in while it lives.
void BeginFontCacheUse();
void EndFontCacheUse();
