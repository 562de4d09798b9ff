import os

import pytest

SOURCE = os.environ.get("KYR_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))


@pytest.fixture
def sample():
    return lambda *parts: os.path.join(SOURCE, *parts)
