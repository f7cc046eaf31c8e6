#include "ByteChannel.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

bool ByteChannel::Fill(int timeoutMs) {
  for (;;) {
    const ssize_t n = ::read(Fd, Buffer.data(), Buffer.size());
    if (n > 0) {
      Begin = 0;
      End = static_cast<size_t>(n);
      return true;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) return false;
    pollfd p{Fd, POLLIN, 0};
    const int r = poll(&p, 1, timeoutMs);
    if (r == 0) return false;
    if (r < 0 && errno != EINTR) return false;
    if ((p.revents & (POLLERR | POLLNVAL)) || (p.revents & (POLLIN | POLLHUP)) == POLLHUP)
      return false;
  }
}

bool ByteChannel::ReadByte(uint8_t& byte) {
  if (Begin == End && !Fill(-1)) return false;
  byte = Buffer[Begin++];
  return true;
}

size_t ByteChannel::Read(uint8_t* buffer, size_t count, int gapMs) {
  size_t done = 0;
  while (done < count) {
    if (Begin == End && !Fill(gapMs)) break;
    const size_t n = std::min(count - done, End - Begin);
    std::copy_n(Buffer.begin() + static_cast<long>(Begin), n, buffer + done);
    Begin += n;
    done += n;
  }
  return done;
}

bool ByteChannel::Write(const uint8_t* data, size_t count) {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(Fd, data + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd p{Fd, POLLOUT, 0};
    if (poll(&p, 1, -1) < 0 && errno != EINTR) return false;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) return false;
  }
  return true;
}
