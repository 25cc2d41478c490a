#pragma once

namespace passcat {

// The pointer that tells the user the program is busy.
class BusyCursor {
public:
    virtual ~BusyCursor() = default;
    virtual void show() = 0;
    virtual void restore() = 0;
};

// The application-wide wait cursor. It undoes only what it set itself, so a restore
// without a show, or twice in a row, leaves other cursor overrides alone.
class WaitCursor final : public BusyCursor {
public:
    WaitCursor() = default;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() override;

    void show() override;
    void restore() override;

private:
    bool shown_ = false;
};

} // namespace passcat
