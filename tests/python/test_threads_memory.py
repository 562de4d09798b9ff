import faulthandler
import gc
import os
import threading

import kyr

SOURCE = os.environ.get("KYR_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))


def test_a_load_lets_other_threads_run(tmp_path):
    # The load reads a pipe that only this thread fills: a load holding the interpreter lock
    # would wait for it forever, and the watchdog turns that into a failure.
    pipe_path = tmp_path / "document.kyr"
    os.mkfifo(pipe_path)
    with open(os.path.join(SOURCE, "examples", "rich-sample.kyr"), "rb") as sample_file:
        text = sample_file.read()
    loaded = {}
    loader = threading.Thread(target=lambda: loaded.update(document=kyr.load(str(pipe_path))), daemon=True)
    faulthandler.dump_traceback_later(120, exit=True)
    try:
        loader.start()
        with open(pipe_path, "wb") as pipe:
            pipe.write(text)
        loader.join()
    finally:
        faulthandler.cancel_dump_traceback_later()
    assert len(loaded["document"].colours) == 5


def resident_kib():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE") // 1024


def test_loading_and_dropping_does_not_grow(sample):
    path = sample("examples", "rich-sample.kyr")

    def churn():
        for _ in range(300):
            document = kyr.load(path)
            assert len(document.colours[0].colour_spaces) > 0
            del document

    churn()
    gc.collect()
    objects, resident = len(gc.get_objects()), resident_kib()
    churn()
    gc.collect()
    assert len(gc.get_objects()) - objects < 50
    assert resident_kib() - resident < 2048
