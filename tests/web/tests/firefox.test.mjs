// The frames and single pages in Firefox ESR (Debian's firefox-esr, headless,
// driven over WebDriver BiDi by puppeteer-core): they load, check an answer
// and give no script errors.  Skipped where Firefox ESR or puppeteer-core is
// not installed.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { exportQuiz } from './helpers.mjs';
import { collectErrors, firefoxFrame, firefoxMissing, startFirefox } from './firefox-helpers.mjs';

describe('Firefox ESR', { skip: firefoxMissing, timeout: 90000 }, () => {
  test('frames and single pages load and check answers without script errors', async (t) => {
    const browser = await startFirefox(t);
    if (!browser) return;
    try {
      for (const [mode, reading] of [['frames', 'typed'], ['frames', undefined], ['single', 'typed'], ['single', undefined]]) {
        const exported = exportQuiz({ mode, reading, switches: { chkShuffleQs: 0 } });
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(collectErrors);
        await page.goto(exported.url);
        const what = `${mode}${reading ? ' with a reading' : ''}`;
        const code = mode === 'single' && !reading ? page.mainFrame() : await firefoxFrame(page, /c\.htm/);
        const box = mode === 'frames' ? '#G1' : '#Guess';
        await code.type(box, 'Paris');
        await code.focus(box);
        await page.keyboard.press('Enter');
        const feedback = mode === 'frames' ? '#F1' : '#PopupText';
        await code.waitForFunction((s) => document.querySelector(s).textContent !== '', {}, feedback);
        assert.match(await code.$eval(feedback, (e) => e.textContent), /^Correct!/, what);
        const frames = page.frames();
        assert.equal(frames.length, mode === 'frames' ? (reading ? 4 : 3) : (reading ? 3 : 1), what);
        if (mode === 'frames' && reading) {
          // Stacked on a phone, the questions taking most of the height.
          await page.setViewport({ width: 360, height: 740 });
          await page.waitForFunction(() =>
            document.querySelector('frame[name="CodeFrame"]').getBoundingClientRect().height > 740 / 2);
        }
        for (const f of frames) {
          const errors = await f.evaluate(() => window.tavrelErrors || []);
          assert.deepEqual(errors, [], `${what}: ${f.url()}`);
        }
        await page.close();
      }
    } finally {
      await browser.close();
    }
  });
});
