#include "interchange/datafile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <limits>

namespace vx::datafile {

namespace {

void appendNumber(QByteArray& out, int v)
{
    out.append(' ');
    out.append(QByteArray::number(v));
    out.append(' ');
}

bool isSeparator(char c) { return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t'; }

// Reads whole numbers one at a time from a byte stream.
class Tokens {
public:
    explicit Tokens(const QByteArray& text) : s_(text)
    {
        if (s_.startsWith("\xEF\xBB\xBF"))  // a byte-order mark some editors add
            pos_ = 3;
    }

    enum class Kind { Number, End, Bad };

    Kind next(long long& value)
    {
        while (pos_ < s_.size() && isSeparator(s_[pos_]))
            ++pos_;
        if (pos_ >= s_.size())
            return Kind::End;
        qsizetype i = pos_;
        bool negative = false;
        if (s_[i] == '+' || s_[i] == '-') {
            negative = s_[i] == '-';
            ++i;
        }
        const qsizetype digitsStart = i;
        long long v = 0;
        bool overflow = false;
        while (i < s_.size() && s_[i] >= '0' && s_[i] <= '9') {
            if (v > (std::numeric_limits<long long>::max() - 9) / 10)
                overflow = true;
            else
                v = v * 10 + (s_[i] - '0');
            ++i;
        }
        const bool ended = i >= s_.size() || isSeparator(s_[i]);
        pos_ = i;
        if (i == digitsStart || !ended)
            return Kind::Bad;
        value = overflow ? std::numeric_limits<long long>::max() : (negative ? -v : v);
        return Kind::Number;
    }

private:
    const QByteArray& s_;
    qsizetype pos_ = 0;
};

}  // namespace

QByteArray format(const Image& image)
{
    QByteArray out;
    out.reserve(Image::kRows * 80);
    for (int r = 0; r < Image::kRows; ++r) {
        appendNumber(out, r / 16);
        appendNumber(out, r % 16);
        appendNumber(out, r);
        for (uint8_t b : image.row(r))
            appendNumber(out, b);
        out.append("\r\n");
    }
    return out;
}

LoadResult parse(const QByteArray& text, Image& out)
{
    Image copy;
    Tokens tokens(text);
    for (int r = 0; r < Image::kRows; ++r) {
        for (int k = 0; k < 3 + Image::kRowBytes; ++k) {
            long long v = 0;
            switch (tokens.next(v)) {
            case Tokens::Kind::End: return {LoadError::TooShort, r};
            case Tokens::Kind::Bad: return {LoadError::NotANumber, r};
            case Tokens::Kind::Number: break;
            }
            if (k < 3)
                continue;  // row numbers are not checked
            if (v < 0 || v > 255)
                return {LoadError::OutOfRange, r};
            copy.set(r, k - 3, uint8_t(v));
        }
    }
    out = copy;
    return {};
}

LoadResult load(const QString& path, Image& image)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return {LoadError::CannotOpen, -1};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {LoadError::CannotOpen, -1};
    const QByteArray text = f.read(kMaxFileBytes + 1);
    if (f.error() != QFileDevice::NoError || text.size() > kMaxFileBytes)
        return {LoadError::CannotOpen, -1};
    return parse(text, image);
}

SaveError save(const Image& image, const QString& path, QString* detail)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (detail)
            *detail = f.errorString();
        return SaveError::CannotOpen;
    }
    const QByteArray text = format(image);
    if (f.write(text) != text.size() || !f.commit()) {
        if (detail)
            *detail = f.errorString();
        f.cancelWriting();
        return SaveError::WriteFailed;
    }
    return SaveError::None;
}

}  // namespace vx::datafile
