import QtQuick 2.8
import QtTest 1.1

// The harness itself: fake context objects are reachable and the compiled
// documents load from the resources.
TestCase {
    name: "Harness"

    function test_fakes() {
        compare(ver.getVersion(), "2.0.0")
        comm.loginRequest("10.0.0.1", "pw")
        compare(comm.calls.length, 1)
        compare(comm.calls[0].args[1], "pw")
        compare(isDesktop, true)
    }
}
