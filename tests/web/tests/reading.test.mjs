// The reading beside the quiz: typed, timed and external readings, and the
// pages served over http.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { exportQuiz, frameNamed, screenshot, servePages, startBrowser, texts, watchConsole } from './helpers.mjs';

const externalReading = 'http://reading.example.test/passage.htm';

let browser;
before(async () => {
  browser = await startBrowser();
  // No network: the external reading is answered here.
  await browser.route('http://reading.example.test/**', (route) =>
    route.fulfill({ contentType: 'text/html', body: '<!DOCTYPE html><title>Passage</title><p id="ext">External passage</p>' }));
});
after(async () => { await browser.close(); });

async function waitForUrl(page, name, pattern) {
  for (let i = 0; i < 100; i++) {
    const f = page.frame({ name });
    if (f && pattern.test(f.url())) return f;
    await page.waitForTimeout(50);
  }
  throw new Error(`frame ${name} never showed ${pattern}: ${page.frame({ name })?.url()}`);
}

async function timedReading(page, code) {
  const bar = code.locator('#ReadingBar');
  assert.ok(await bar.isVisible());
  // The clock stands still from here on, but for the time the test runs on:
  // a slow machine's seconds do not count.
  await page.clock.pauseAt(new Date('2024-01-01T11:00:00Z'));
  await code.getByRole('button', { name: texts.editStartReading }).click();
  const reading = await waitForUrl(page, 'ReadingFrame', /quizr\.htm$/);
  await reading.waitForLoadState('load');
  assert.match(await reading.locator('h1').innerText(), /A short reading/);
  assert.equal((await code.locator('#TimeLeft').innerText()).trim(), 'Remaining time: 1:00');
  await page.clock.runFor(30000);
  assert.equal((await code.locator('#TimeLeft').innerText()).trim(), 'Remaining time: 0:30');
  await page.clock.runFor(31000);
  assert.equal((await code.locator('#ReadingStatus').innerText()).trim(), texts.editTimesUp);
  assert.equal((await code.locator('#ReadingPrompt').innerText()).trim(), texts.editClickToShow);
  await waitForUrl(page, 'ReadingFrame', /^about:blank$/);
  await code.getByRole('button', { name: texts.editShowReadingAgain }).click();
  await waitForUrl(page, 'ReadingFrame', /quizr\.htm$/);
}

describe('reading', () => {
  test('frames: a typed reading shows beside the questions', async () => {
    const exported = exportQuiz({ reading: 'typed' });
    assert.deepEqual(exported.written.map((p) => basename(p)), ['quizr.htm', 'quiz.htm', 'quizw.htm', 'quizc.htm']);
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    const reading = await frameNamed(page, 'ReadingFrame');
    assert.match(await reading.locator('body').innerText(), /Paris has many caf\u00e9s/);
    const code = await frameNamed(page, 'CodeFrame');
    assert.ok(!(await code.locator('#ReadingBar').isVisible()), 'no timer controls without a timer');
    await screenshot(page, 'frames-reading-1280.png');
    await page.setViewportSize({ width: 360, height: 740 });
    await page.waitForTimeout(200);
    await screenshot(page, 'frames-reading-360.png');
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('frames: timed reading of one minute under a faked clock', async () => {
    const exported = exportQuiz({ reading: 'typed', timer: 1 });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.clock.install({ time: new Date('2024-01-01T10:00:00Z') });
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    assert.equal(page.frame({ name: 'ReadingFrame' }).url(), 'about:blank', 'hidden until started');
    await timedReading(page, code);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('single page: timed reading of one minute under a faked clock', async () => {
    const exported = exportQuiz({ mode: 'single', reading: 'typed', timer: 1 });
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.clock.install({ time: new Date('2024-01-01T10:00:00Z') });
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    await waitForUrl(page, 'ReadingFrame', /^about:blank$/);
    await timedReading(page, code);
    assert.deepEqual(problems, []);
    await page.close();
  });

  test('an external web-address reading opens that address in the reading frame', async () => {
    for (const mode of ['frames', 'single']) {
      const exported = exportQuiz({ mode, reading: externalReading });
      assert.ok(!exported.written.some((p) => p.endsWith('quizr.htm')), 'no reading page is written');
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      const reading = await waitForUrl(page, 'ReadingFrame', /reading\.example\.test/);
      assert.equal(reading.url(), externalReading);
      await reading.locator('#ext').waitFor();
      assert.deepEqual(problems, [], mode);
      await page.close();
    }
  });

  test('single page: a timed web-address reading starts blank and opens on Start reading', async () => {
    const exported = exportQuiz({ mode: 'single', reading: externalReading, timer: 1 });
    const root = readFileSync(exported.root, 'latin1');
    assert.match(root, /src="javascript:document\.write\(''\);"/);
    const page = await browser.newPage();
    const problems = watchConsole(page);
    await page.goto(exported.url);
    const code = await frameNamed(page, 'CodeFrame');
    await code.getByRole('button', { name: texts.editStartReading }).click();
    const reading = await waitForUrl(page, 'ReadingFrame', /reading\.example\.test/);
    assert.equal(reading.url(), externalReading);
    assert.deepEqual(problems, []);
    await page.close();
  });
});

describe('served over http', () => {
  test('the frames pages work from a web server', async () => {
    const exported = exportQuiz({ reading: 'typed' });
    const { server, url } = await servePages((name) => join(exported.dir, name));
    const page = await browser.newPage();
    const problems = watchConsole(page);
    try {
      await page.goto(url('quiz.htm'));
      const code = await frameNamed(page, 'CodeFrame');
      await code.fill('#G4', 'caf\u00e9');
      await code.press('#G4', 'Enter');
      assert.match(await code.locator('#F4').innerText(), /^Correct!/);
      await code.getByRole('button', { name: 'Help' }).click();
      await waitForUrl(page, 'FeedbackFrame', /#help$/);
      assert.deepEqual(problems, []);
    } finally {
      await page.close();
      server.close();
    }
  });
});
