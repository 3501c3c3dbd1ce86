#pragma once
// The font caches cairo and fontconfig keep for the whole process.

// Releases them, so that a leak checker at exit sees only real leaks. Call
// it once, when no surface is alive any more.
void ReleaseFontCaches();
