#include "drawing/read/pdf/odd_dashes.h"

void OddDashes::Release() {
    if (_holding) _out(_held);
    _holding = false;
    _held.clear();
}

void OddDashes::Take(const QPDFTokenizer::Token& t) {
    const auto type = t.getType();
    const std::string& raw = t.getRawValue();
    if (type == QPDFTokenizer::tt_array_open) {
        // Arrays don't nest in an operand of d: an array within one is some other operand.
        Release();
        _holding = true;
        _closed = false;
        _onlyNumbers = true;
        _numbers.clear();
        _held = raw;
        return;
    }
    if (!_holding) {
        _out(raw);
        return;
    }
    if (type == QPDFTokenizer::tt_word) {
        if (t.getValue() == "d" && _closed && _onlyNumbers && _numbers.size() % 2 == 1) {
            std::string whole = "[";
            for (int twice = 0; twice < 2; ++twice)
                for (const std::string& n : _numbers) whole += (whole.size() > 1 ? " " : "") + n;
            _held = whole + "]" + _held.substr(_close);
            ++_written;
        }
        _held += raw;
        Release();
        return;
    }
    if (!_closed) {
        if (type == QPDFTokenizer::tt_array_close) {
            _closed = true;
            _close = _held.size() + raw.size();
        } else if (type == QPDFTokenizer::tt_integer || type == QPDFTokenizer::tt_real) {
            _numbers.push_back(raw);
        } else if (type != QPDFTokenizer::tt_space && type != QPDFTokenizer::tt_comment) {
            _onlyNumbers = false;
        }
    }
    _held += raw;
}
