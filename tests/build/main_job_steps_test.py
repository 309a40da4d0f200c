"""The main job (scripts/run-main-job.sh) builds its programs and what they need, nothing that
only the test command builds, in at most 200 steps: ninja's plan for a fresh tree configured as
scripts/build.sh does. Run by ctest as MainJobSteps."""
import os
import re
import subprocess
import tempfile
import unittest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))


class MainJobSteps(unittest.TestCase):
    def test_only_the_programs_within_the_budget(self):
        with open(os.path.join(SOURCE, 'scripts', 'run-main-job.sh')) as f:
            targets = re.search(r'^bash scripts/build\.sh (.+)$', f.read(), re.M).group(1).split()
        with tempfile.TemporaryDirectory() as build:
            subprocess.run(['cmake', '-S', SOURCE, '-B', build, '-G', 'Ninja',
                            '-DCMAKE_BUILD_TYPE=RelWithDebInfo'], check=True, capture_output=True)
            plan = subprocess.run(['ninja', '-C', build, '-n', *targets], check=True,
                                  capture_output=True, text=True).stdout
        steps = [line for line in plan.splitlines() if line.startswith('[')]
        for what, found in [('steps over the budget of 200', steps[200:]),
                            ('steps of tests, benchmarks or fuzz targets',
                             [s for s in steps if re.search(r' (tests|bench|fuzz)/', s)])]:
            with self.subTest(what):
                self.assertEqual(found, [], '%d steps in all' % len(steps))


if __name__ == '__main__':
    unittest.main()
