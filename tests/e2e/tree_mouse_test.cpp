// The tree edited with the mouse, through real input (SendInput, which Wine
// delivers as it does the X server's): Ctrl+click and Shift+click marks, a
// plain click that clears them, a File dragged into another Schedule, files
// dropped from outside (WM_DROPFILES with a drop handle made in Airvane's
// process), a drag that loses the mouse, and the delete of a Schedule with
// two marked siblings.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "airvane_session.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class TreeMouse : public AirvaneSession {
protected:
    static void send(DWORD flags, POINT at = {}) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        Sleep(40);
    }
    static void key(WORD vk, bool down) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
    POINT on(HTREEITEM item) const {
        const RECT rect = remoteItemRect(tree, item);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void click(POINT at, WORD modifier = 0) {
        send(MOUSEEVENTF_MOVE, at);
        if (modifier) key(modifier, true);
        send(MOUSEEVENTF_LEFTDOWN, at);
        send(MOUSEEVENTF_LEFTUP, at);
        if (modifier) key(modifier, false);
        Sleep(300);
    }
    // Presses at from and moves to `to`; the button is let go there unless held.
    void drag(POINT from, POINT to, bool hold = false) {
        send(MOUSEEVENTF_MOVE, from);
        send(MOUSEEVENTF_LEFTDOWN, from);
        for (int step = 1; step <= 10; ++step)
            send(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
        if (hold) return;
        send(MOUSEEVENTF_LEFTUP, to);
        Sleep(300);
    }
    HTREEITEM child(HTREEITEM parent, int index) const {
        HTREEITEM item = treeItem(tree, parent, TVGN_CHILD);
        while (index-- > 0) item = treeItem(tree, item, TVGN_NEXT);
        return item;
    }
    HTREEITEM schedule(int index) const { return child(treeItem(tree, nullptr, TVGN_ROOT), index); }
    // "A(a1 a2*) B(b1)": each Schedule's title and its Files, '*' after a
    // selected one (the caret item or a marked one).
    std::string shape() const {
        std::string text;
        const std::vector<RemoteItem> items = readRemoteTree(tree);
        for (std::size_t i = 1; i < items.size(); ++i) {
            const RemoteItem& item = items[i];
            if (item.level == 1) text += std::string(i > 1 ? ") " : "") + item.text.substr(0, item.text.find(' ')) + "(";
            else text += (items[i - 1].level == 2 ? " " : "") + item.text.substr(item.text.rfind('\\') + 1);
            if (item.state & TVIS_SELECTED) text += "*";
        }
        return text + ")";
    }
};

TEST_F(TreeMouse, MarksMovesDropsAndDeletesAsAnOperatorMakesThem) {
    auto files = [](const char* names) {
        std::string text = "{\r\n";
        for (const char* n = names; *n; n += std::strlen(n) + 1) text += std::string("|D:\\") + n + "\r\n";
        return text + "}\r\n";
    };
    start("tree-mouse", std::string("Airvane Data V1.0\r\n") + "-1 6:0:0 7:0:0 0/0/0 0|A.m3u\r\n" +
                            files("a1\0a2\0a3\0a4\0") + "-1 8:0:0 9:0:0 0/0/0 0|B.m3u\r\n" + files("b1\0b2\0") +
                            "-1 10:0:0 11:0:0 0/0/0 0|C.m3u\r\n-1 12:0:0 13:0:0 0/0/0 0|D.m3u\r\n\r\n");
    SetForegroundWindow(window);
    for (int s = 0; s < 2; ++s) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(schedule(s)));
    const HTREEITEM a = schedule(0), b = schedule(1);

    click(on(child(a, 2)));
    click(on(child(a, 0)), VK_CONTROL);
    click(on(child(b, 0)), VK_CONTROL);  // not a sibling: nothing
    EXPECT_EQ(treeItem(tree, nullptr, TVGN_CARET), child(a, 2)) << "a Ctrl+click never moves the caret";
    EXPECT_EQ(shape(), "A(a1* a2 a3* a4) B(b1 b2) C() D()");
    click(on(child(a, 3)), VK_SHIFT);
    EXPECT_EQ(shape(), "A(a1 a2 a3* a4*) B(b1 b2) C() D()");
    click(on(child(a, 1)));
    EXPECT_EQ(shape(), "A(a1 a2* a3 a4) B(b1 b2) C() D()") << "a plain click clears the marks";

    drag(on(child(a, 0)), on(child(b, 1)));
    EXPECT_EQ(shape(), "A(a2 a3 a4) B(b1 a1* b2) C() D()");

    click(on(child(b, 0)));
    send(MOUSEEVENTF_MOVE, on(child(b, 1)));
    ASSERT_TRUE(postFileDrop(window, {"D:\\x.mp3", "D:\\y.mp3", "D:\\z.mp3"}));
    Sleep(500);
    EXPECT_EQ(shape(), "A(a2 a3 a4) B(b1* x.mp3 y.mp3 z.mp3 a1 b2) C() D()") << "before the File under the cursor, in order";
    send(MOUSEEVENTF_MOVE, on(treeItem(tree, nullptr, TVGN_ROOT)));
    ASSERT_TRUE(postFileDrop(window, {"D:\\x.mp3"}));
    EXPECT_EQ(answer(IDOK), "여기에는 놓을 수 없습니다");
    RECT below = remoteItemRect(tree, schedule(3));
    send(MOUSEEVENTF_MOVE, {below.left, below.bottom + 40});
    ASSERT_TRUE(postFileDrop(window, {"D:\\x.mp3"}));
    EXPECT_EQ(answer(IDOK), "놓을 위치를 선택하세요");

    // Held 2 s over a collapsed Schedule, a drag opens it; a drag that
    // loses the mouse to another window ends with nothing moved or lit.
    const std::string before = shape();
    SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(a));
    const POINT over = on(a);
    drag(on(child(b, 5)), over, true);
    Sleep(2600);
    EXPECT_TRUE(readRemoteTree(tree)[1].state & TVIS_EXPANDED);
    PostMessageA(window, WM_CAPTURECHANGED, 0, 0);
    Sleep(300);
    for (const RemoteItem& item : readRemoteTree(tree)) EXPECT_FALSE(item.state & TVIS_DROPHILITED) << item.text;
    send(MOUSEEVENTF_LEFTUP, over);
    Sleep(300);
    EXPECT_EQ(shape(), before);

    click(on(schedule(2)));
    click(on(schedule(3)), VK_CONTROL);
    click(on(schedule(0)), VK_CONTROL);
    command(window, 107);
    EXPECT_EQ(answer(IDNO), "선택한 3개의 스케쥴의 파일목록만 지울까요?");
    Sleep(300);
    EXPECT_EQ(shape(), "B(b1 x.mp3 y.mp3 z.mp3 a1 b2)") << "No deletes the three Schedules themselves";
}

}  // namespace
}  // namespace airvane::e2e
