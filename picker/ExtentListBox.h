#pragma once

#include <memory>
#include <string>

// Measures text in the list box's device context as the system hands it out (its default font,
// nothing selected); the context is released when the measurer is destroyed.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width in pixels of the whole text.
    virtual int TextWidth(const std::string& text) = 0;
};

// What the extent fitter needs of the result list box. Every call may be a message to the
// interface thread; none is made while the fitter holds its lock.
class ExtentListBox {
public:
    virtual ~ExtentListBox() = default;
    // Null when no device context can be had.
    virtual std::unique_ptr<TextMeasurer> OpenMeasurer() = 0;
    virtual int GetCount() = 0;
    // False when the line can no longer be read (the list changed meanwhile).
    virtual bool GetText(int nIndex, std::string& text) = 0;
    virtual void SetHorizontalExtent(int cxExtent) = 0;
};
