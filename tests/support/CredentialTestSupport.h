#ifndef QEL_TESTS_SUPPORT_CREDENTIALTESTSUPPORT_H_
#define QEL_TESTS_SUPPORT_CREDENTIALTESTSUPPORT_H_

#include <gtest/gtest.h>

#include <string>

// The server's side of the credential codec, as the tests need it: a
// challenge scrambler built from the reading rules, and checks of digests.

// The 51 characters of the codec's alphabet, row 0 first, written out here
// on their own so that tests can check the codec's table against them.
extern const std::string kScrambleAlphabet;

// How a scrambled challenge is laid out. The defaults give a valid text.
struct ScrambleLayout {
  int b0 = 0x35;         // first pair; odd: it gives the key length itself
  int k1 = 0x40;         // first key byte; gives the key length when b0 is even
  int pads = 2;          // number of pad values
  int check1Offset = 0;  // added to check value 1 (non-zero: a wrong check)
  int check2Offset = 0;  // added to check value 2
  unsigned seed = 1;     // rows, the further key bytes, pads and noise
};

// The scrambled form of `text` (no NUL inside), with noise pairs wherever
// the reader expects them.
std::string scrambleChallenge(const std::string& text, const ScrambleLayout& layout = {});

// A digit text spelled with the row-0 character of each digit, so that two
// texts compare digit by digit whatever rows their characters came from.
std::string rowZeroSpelling(const std::string& digits);

// The five salt bytes a digest's header carries; false when the digest is
// shorter than its header.
bool saltOfDigest(const std::string& digest, unsigned char salt[5]);

// Empty when `digest` is a digest of `input` (every character spells a
// digit, and the digest with the salt its header carries has the same
// digits), else what differs.
std::string digestMismatch(const std::string& digest, const std::string& input);

// Checks that `text` is the credential log-in
// "CLIENT,LOGIN,<ids>,|user|,|digest|" and stores its digest when `digest`
// is given.
::testing::AssertionResult isCredentialLogIn(const std::string& text, const std::string& ids,
                                             const std::string& user,
                                             std::string* digest = nullptr);

#endif  // QEL_TESTS_SUPPORT_CREDENTIALTESTSUPPORT_H_
