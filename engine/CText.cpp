#include "CText.h"

#include <cstring>

CText::CText(const char *text)
{
    Assign(text);
}

CText::CText(const CText &other)
{
    Assign(other.mBuffer);
}

CText &CText::operator=(const CText &other)
{
    if (this != &other) {
        Release();
        Assign(other.mBuffer);
    }
    return *this;
}

CText::~CText()
{
    Release();
}

void CText::Assign(const char *text)
{
    Resize(std::strlen(text));
    std::strcpy(mBuffer, text);
}

void CText::Release()
{
    if (mBuffer != nullptr) {
        std::memset(mBuffer, 0, mCapacity);
        delete[] mBuffer;
    }
    mBuffer = nullptr;
    mCapacity = 0;
}

void CText::Resize(unsigned long length)
{
    if (mCapacity > length + 1)
        return;
    // About one eighth of head-room, so that a growing text is not reallocated at every step.
    const unsigned long capacity = (9 * length + 9) / 8;
    char *buffer = new char[capacity]();
    if (mBuffer != nullptr) {
        std::strcpy(buffer, mBuffer);
        std::memset(mBuffer, 0, mCapacity);
        delete[] mBuffer;
    }
    mBuffer = buffer;
    mCapacity = capacity;
}
