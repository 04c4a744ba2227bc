#ifndef VELMORA_ENGINE_CTEXT_H
#define VELMORA_ENGINE_CTEXT_H

// A small owned, NUL-terminated string in which effects name their level.
// Its memory is always wiped before it is released.
class CText
{
public:
    explicit CText(const char *text = "");
    CText(const CText &other);
    CText &operator=(const CText &other);
    virtual ~CText();

    void Resize(unsigned long length);
    bool IsEmpty() const { return mBuffer[0] == '\0'; }
    const char *Get() const { return mBuffer; }
    unsigned long GetCapacity() const { return mCapacity; }

private:
    void Assign(const char *text);
    void Release();

    char *mBuffer = nullptr;
    unsigned long mCapacity = 0;
};

#endif
