// A pseudo-terminal pair standing in for a serial line: the program opens the
// slave side as its port, the simulated welder (or a test) talks on the
// master side. Closing the master is a true hang-up, as an unplugged USB
// converter: the port's reads then return end-of-file.
#pragma once

#include <string>

namespace tav::sim {

class PtyPair {
public:
    // Opens the pair in raw mode. Throws std::runtime_error on failure.
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // The master side (non-blocking), or -1 after HangUp.
    int Master() const { return master_; }
    // The path of the slave device, e.g. /dev/pts/7.
    const std::string& SlavePath() const { return slavePath_; }

    // Makes `linkPath` a symlink to the slave (replacing an old link), e.g.
    // $TAVELIN_PORTS/COM3. Returns false on failure. The link is removed
    // again by the destructor.
    bool Publish(const std::string& linkPath);

    // Closes the master side: the far end of the line disappears.
    void HangUp();

    // Writes all of `data` to the master, waiting for room as needed.
    // False when the master is gone.
    bool WriteAll(const void* data, std::size_t size);

private:
    int master_ = -1;
    // Held open so the master never reads EIO while the program has its port
    // closed; nobody reads from it.
    int slaveKeeper_ = -1;
    std::string slavePath_;
    std::string link_;
};

}  // namespace tav::sim
