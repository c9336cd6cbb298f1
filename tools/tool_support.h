// tool_support.h: what several cbst-tool commands need: "WxH" pairs and the
// toolkit running, also where there is no screen.
#pragma once

#include <QGuiApplication>

#include <memory>
#include <string>

#include "gfx/bmp.h"

namespace cbst::tool {

// "640x480" (or "640X480") into its two numbers.
bool ParsePair(const char* text, int& first, int& second);

// Writes a bitmap as a PNG file.
bool SavePng(Bmp& bitmap, const std::string& path);

// Starts the toolkit (offscreen without a display) unless it runs already;
// fonts and bitmaps need it.
std::unique_ptr<QGuiApplication> StartToolkit();

}  // namespace cbst::tool
