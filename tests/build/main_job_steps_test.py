"""The main job's build (scripts/run-main-job.sh): the programs it runs and what they need,
nothing that only the test command builds, within its budget of build steps. Configures a
fresh tree of its own and asks ninja what it would run. Run by ctest as MainJobSteps."""
import os
import re
import subprocess
import tempfile
import unittest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
MOST_STEPS = 200


def main_job_targets():
    with open(os.path.join(SOURCE, 'scripts', 'run-main-job.sh')) as f:
        return re.search(r'^bash scripts/build\.sh (.+)$', f.read(), re.M).group(1).split()


def planned_steps(targets):
    """ninja's descriptions of the steps a fresh build of the targets runs, as build.sh
    configures it."""
    with tempfile.TemporaryDirectory() as build:
        subprocess.run(['cmake', '-S', SOURCE, '-B', build, '-G', 'Ninja',
                        '-DCMAKE_BUILD_TYPE=RelWithDebInfo'], check=True, capture_output=True)
        plan = subprocess.run(['ninja', '-C', build, '-n', *targets], check=True,
                              capture_output=True, text=True).stdout
    return [line for line in plan.splitlines() if line.startswith('[')]


class MainJobSteps(unittest.TestCase):
    def test_only_the_programs_within_the_budget(self):
        targets = main_job_targets()
        steps = planned_steps(targets)
        rows = [
            ('steps over the budget of %d' % MOST_STEPS, steps[MOST_STEPS:]),
            ('steps of tests, benchmarks or fuzz targets',
             [s for s in steps if re.search(r' (tests|bench|fuzz)/', s)]),
        ]
        for what, found in rows:
            with self.subTest(what):
                self.assertEqual(found, [], '%d steps in all' % len(steps))


if __name__ == '__main__':
    unittest.main()
