#pragma once

#include <openssl/rand.h>

namespace varn::test {

// Makes OpenSSL's random source fail for one scope, through OpenSSL's own hook, so that a
// new password hash (which needs a random salt) fails as it would without entropy.
class FailingRandom {
public:
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    FailingRandom() : m_old(RAND_get_rand_method()) { RAND_set_rand_method(&s_method); }
    ~FailingRandom() { RAND_set_rand_method(m_old); }

private:
    static int fail(unsigned char*, int) { return 0; }
    static int status() { return 0; }
    static inline const RAND_METHOD s_method = {nullptr, &fail, nullptr, nullptr, &fail, &status};
    const RAND_METHOD* m_old;
#pragma GCC diagnostic pop
};

} // namespace varn::test
