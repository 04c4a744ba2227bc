#ifndef VELMORA_APP_APPLICATIONID_H
#define VELMORA_APP_APPLICATIONID_H

// The application's identifier number, set once at launch.
class ApplicationId
{
public:
    ApplicationId() = delete;

    static constexpr int kVelmora = 20101;

    static void setId(int id);
    static int getId();
};

#endif
