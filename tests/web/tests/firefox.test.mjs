// The frames and single pages in Firefox ESR (Debian's firefox-esr, headless,
// driven over WebDriver BiDi by puppeteer-core): they load, check an answer
// and give no script errors.  Skipped where Firefox ESR or puppeteer-core is
// not installed.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { exportQuiz, texts } from './helpers.mjs';

const firefox = '/usr/bin/firefox-esr';
let puppeteer = null;
try {
  puppeteer = (await import('puppeteer-core')).default;
} catch {
  puppeteer = null;
}
const why = !existsSync(firefox) ? `${firefox} not installed` : !puppeteer ? 'puppeteer-core not installed' : false;

// Every document, frames included, keeps its uncaught errors where the test
// can read them.
function collectErrors() {
  window.tavrelErrors = [];
  window.addEventListener('error', (e) => window.tavrelErrors.push(String(e.message)));
  window.addEventListener('unhandledrejection', (e) => window.tavrelErrors.push(String(e.reason)));
}

async function frameByFile(page, pattern) {
  for (let i = 0; i < 100; i++) {
    const f = page.frames().find((x) => pattern.test(x.url()));
    if (f && await f.evaluate(() => document.readyState === 'complete').catch(() => false)) return f;
    await new Promise((r) => setTimeout(r, 50));
  }
  throw new Error(`no frame ${pattern}`);
}

describe('Firefox ESR', { skip: why, timeout: 90000 }, () => {
  test('frames and single pages load and check answers without script errors', async (t) => {
    let browser;
    try {
      browser = await puppeteer.launch({
        browser: 'firefox', executablePath: firefox, headless: true, protocol: 'webDriverBiDi',
        userDataDir: mkdtempSync(join(tmpdir(), 'tavrel-firefox-')), timeout: 30000,
      });
    } catch (e) {
      // A browser that cannot start here says nothing about the pages.
      t.skip(`Firefox ESR did not start: ${e.message.split('\n')[0]}`);
      return;
    }
    try {
      for (const [mode, reading] of [['frames', 'typed'], ['frames', undefined], ['single', 'typed'], ['single', undefined]]) {
        const exported = exportQuiz({ mode, reading, switches: { chkShuffleQs: 0 } });
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(collectErrors);
        await page.goto(exported.url);
        const what = `${mode}${reading ? ' with a reading' : ''}`;
        const code = mode === 'single' && !reading ? page.mainFrame() : await frameByFile(page, /c\.htm/);
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
