// CHttpFile with a read buffer: the body fetched in large blocks, handed out in pieces.
#include "tests/update/LoopbackServer.h"
#include "framework/InternetSession.h"
#include <gtest/gtest.h>
#include <memory>

using namespace testing_support;

namespace {

const UINT kReadAhead = 64 * 1024;

// Bytes whose order shows: a lost, doubled or swapped block does not compare equal.
std::string Numbered(size_t size) {
    std::string bytes;
    for (size_t i = 0; bytes.size() < size; ++i) bytes += std::to_string(i) + ",";
    bytes.resize(size);
    return bytes;
}

struct ReadAheadCase {
    const char* name;
    size_t size;
    int pieces;      // sends of the server...
    DWORD pauseMs;   // ...and the pause between them
    UINT readSize;   // what the caller asks for at a time
};

class ReadAhead : public testing::TestWithParam<ReadAheadCase> {
protected:
    std::unique_ptr<CHttpFile> Open(const HttpReply& reply) {
        m_server.Serve("/body", reply);
        return std::unique_ptr<CHttpFile>(m_session.OpenURL(m_server.BaseUrl() + L"/body"));
    }
    LoopbackServer m_server;
    CInternetSession m_session;
};

// Every byte arrives once and in order, and 0 comes only at the end, however the body drips in.
TEST_P(ReadAhead, HandsOutTheWholeBodyInOrder) {
    const ReadAheadCase& c = GetParam();
    HttpReply reply;
    reply.body = Numbered(c.size);
    reply.pieces = c.pieces;
    reply.pauseMs = c.pauseMs;
    std::unique_ptr<CHttpFile> file = Open(reply);
    ASSERT_TRUE(file->SetReadBufferSize(kReadAhead));

    std::string received;
    std::vector<char> piece(c.readSize);
    for (;;) {
        UINT n = file->Read(piece.data(), c.readSize);
        ASSERT_LE(n, c.readSize);
        if (n == 0) break;
        received.append(piece.data(), n);
    }
    EXPECT_EQ(received.size(), reply.body.size());
    EXPECT_TRUE(received == reply.body);
    EXPECT_EQ(file->Read(piece.data(), c.readSize), 0u);
}

INSTANTIATE_TEST_SUITE_P(Bodies, ReadAhead, testing::Values(
    ReadAheadCase{ "SeveralBuffersAtOnce", 3 * kReadAhead + 17, 1, 0, 1024 },
    ReadAheadCase{ "DripsInSlowerThanItIsRead", 5000, 5, 120, 1024 },
    ReadAheadCase{ "AsksForMoreThanTheBufferHolds", 2 * kReadAhead + 5, 3, 20, kReadAhead + 4096 },
    ReadAheadCase{ "EmptyBody", 0, 1, 0, 1024 }),
    [](const testing::TestParamInfo<ReadAheadCase>& info) { return std::string(info.param.name); });

TEST(ReadAheadBuffer, CannotBeChangedWhileFetchedBytesWait) {
    LoopbackServer server;
    CInternetSession session;
    HttpReply reply;
    reply.body = Numbered(10000);
    server.Serve("/body", reply);
    std::unique_ptr<CHttpFile> file(session.OpenURL(server.BaseUrl() + L"/body"));
    ASSERT_TRUE(file->SetReadBufferSize(kReadAhead));
    char piece[100];
    ASSERT_EQ(file->Read(piece, sizeof(piece)), sizeof(piece));
    EXPECT_FALSE(file->SetReadBufferSize(0));
    EXPECT_FALSE(file->SetReadBufferSize(2 * kReadAhead));

    // Nothing was lost by asking: the rest follows on.
    std::string received(piece, sizeof(piece));
    std::vector<char> buffer(4096);
    while (UINT n = file->Read(buffer.data(), static_cast<UINT>(buffer.size()))) received.append(buffer.data(), n);
    EXPECT_TRUE(received == reply.body);
}

}  // namespace
