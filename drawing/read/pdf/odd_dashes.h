#pragma once
// PDF dash arrays of odd length ("[3] 0 d": 3 on, 3 off) written out whole ("[3 3] 0 d").
// Poppler hands such an array to Qt as it stands, and Qt pads an odd pattern with a gap of one
// pen width: the plot's dashes would not be the drawing's, nor the same drawing's as an SVG.

#include <qpdf/QPDFTokenizer.hh>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class OddDashes {
public:
    using Out = std::function<void(const std::string&)>;
    explicit OddDashes(Out out) : _out(std::move(out)) {}

    // The next token of the content stream: an array is held back until the operator after it
    // shows whether it is a dash array; everything else goes out at once.
    void Take(const QPDFTokenizer::Token& t);
    // What is held goes out as it was (at the stream's end, or before an inline image).
    void Release();
    int64_t written() const { return _written; }

private:
    Out _out;
    bool _holding = false, _closed = false, _onlyNumbers = true;
    std::string _held;
    size_t _close = 0;  // where in _held the array ends
    std::vector<std::string> _numbers;
    int64_t _written = 0;  // dash arrays written out whole
};
