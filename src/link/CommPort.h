// TCommPort: the program's only access to the serial line that leads to the
// welder. Fixed line settings (9600 baud, 8 data bits, no parity, one stop
// bit), blocking one-byte writes and bounded reads, the number of bytes
// waiting, and close. Every failure of a system call throws ECommError with
// the failure point and errno; the port itself never shows a message.
#pragma once

#include <cstdint>
#include <string>

#include <termios.h>

// The failure point and the system's reason. A plain value type, thrown by
// value (it deliberately has no base class: callers catch it by name).
struct ECommError {
    std::uint8_t Code = 0;       // failure point, see TCommPort
    std::uint32_t LastError = 0; // errno at the moment of the failure
};

// Failure points:
//   6  SetPortName while open         7  transfer on a closed port
//   8  open failed                    9  write failed
//  10  read failed or line hung up   11  close failed
//  14  reading the line settings     15  applying the line settings
//  16  emptying the queues           17  (time-outs; never raised on Linux)
//  18  asking for the bytes waiting
class TCommPort {
public:
    TCommPort();
    // Closes an open port. A close failure cannot be thrown from here
    // (destructors must not throw); it is dropped.
    ~TCommPort();
    TCommPort(const TCommPort&) = delete;
    TCommPort& operator=(const TCommPort&) = delete;

    // Throws 6 when the port is open (the name is kept).
    void SetPortName(const std::string& name);
    const std::string& GetPortName() const { return PortName; }

    // Does nothing when already open. Resolves the name (see PortNames.h),
    // opens the device with exclusive access and sets 9600 8N1 raw.
    // Throws 8, 14, 15 or 16; the port is then closed.
    void Open();
    bool IsOpen() const { return Opened; }
    // Does nothing when closed; throws 11 when close() fails. The system
    // releases the descriptor even then, so the port counts as closed.
    void Close();

    // One write() of one byte; throws 7 or 9. A byte the line does not take
    // within 251 ms is dropped without an error, like a write time-out.
    void WriteByte(std::uint8_t byte);
    // `count` one-byte writes, then Flush; throws 7 (also for count 0) or 9.
    void WriteBuffer(const std::uint8_t* data, unsigned count);
    // Reads up to `max` bytes; returns as soon as 15 ms pass between two
    // bytes, at the latest after 1 ms per byte + 250 ms. When fewer than
    // `max` bytes arrived, a zero byte is stored at buffer[count].
    // Throws 7, or 10 (also when the far side hung up).
    unsigned ReadBuffer(std::uint8_t* buffer, unsigned max);
    // One byte within 251 ms: true and the byte, or false when none came.
    // Throws 7 or 10.
    bool ReadByte(std::uint8_t& byte);
    // Bytes in the input queue; throws 7 or 18.
    unsigned BytesWaiting();
    // Waits until the output queue is sent; throws 7.
    bool Flush();

private:
    bool Opened = false;
    std::string PortName = "COM5";
    termios Dcb{};
    int Handle = -1;
};
