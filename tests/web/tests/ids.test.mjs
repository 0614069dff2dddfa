// A teacher's ids and names stay as typed where they harm nothing: the
// teacher's own script and style rule find the element, on both quiz pages,
// in Chromium and Firefox ESR.  Those that clash with the page (a page's id,
// a numbered family's, a frame's name, a property of the document or of a
// form) get the prefix, and the page still checks answers.  What leaves a
// drawing or a formula shows after it.  The core's table of property names is
// what the two browsers have.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { exportQuiz, screenshot, startBrowser, watchConsole, writeQuizFile } from './helpers.mjs';
import { collectErrors, firefoxFrame, firefoxMissing, startFirefox } from './firefox-helpers.mjs';
import { propertyNames, tableFile } from '../tools/page-property-names.mjs';

const table = [...readFileSync(tableFile, 'utf8').matchAll(/^"([^"]*)",$/gm)].map((m) => m[1]);

// A question with a hint shown by the teacher's own button, styled
// by the teacher's own rule; beside it, ids and names that clash.
const hint = '<style>#hint1 { color: rgb(1, 2, 3); }</style>Capital of France? '
  + '<button type="button" onclick="document.getElementById(\'hint1\').style.display=\'block\'">Show hint</button>'
  + '<p id="hint1" style="display:none">It starts with P.</p>';
const clashing = ' <span id="forms">f</span> <b id="G1">g</b> <i id="score">s</i> <span id="Q12">q</span>'
  + ' <iframe name="CodeFrame" src="about:blank" width="8" height="8"></iframe>'
  + ' <form name="elements" onsubmit="return false"><input name="submit" id="length" value="v"></form>'
  + '<svg width="20" height="20"><circle cx="10" cy="10" r="5"/><p id="shape">Which shape is this?</p>'
  + '<math><mn>2</mn><p id="solve">Now solve the equation.</p></math><svg><p id="x">x</p></svg>';

const quizFile = () => writeQuizFile('Capitals', [[hint + clashing, 'Paris'], ['Capital of Italy?', 'Rome']]);

// Runs in the page with the question: what became of the teacher's ids.
function idsInPage() {
  const byId = (id) => document.getElementById(id);
  const h = byId('hint1');
  return {
    hint: h ? [getComputedStyle(h).display, getComputedStyle(h).color] : null,
    prefixed: ['tt-forms', 'tt-G1', 'tt-score', 'tt-Q12', 'tt-length'].filter((id) => !byId(id)),
    frame: !!document.querySelector('iframe[name="tt-CodeFrame"]'),
    form: !!document.querySelector('form[name="tt-elements"] input[name="tt-submit"]'),
    forms: Object.prototype.toString.call(document.forms),
    shown: ['shape', 'solve', 'x'].filter((id) => {
      const e = byId(id);
      return e && !e.closest('svg, math') && e.getClientRects().length > 0 && e.innerText.trim() !== '';
    }),
  };
}

const pages = {
  frames: { box: '#G1', feedback: '#F1' },
  single: { box: '#Guess', feedback: '#PopupText' },
};

function expectIds(found, where, shown) {
  assert.deepEqual(found.hint, shown ? ['block', 'rgb(1, 2, 3)'] : ['none', 'rgb(1, 2, 3)'], `${where}: #hint1`);
  assert.deepEqual(found.prefixed, [], `${where}: ids not prefixed`);
  assert.ok(found.frame && found.form, `${where}: frame and form names prefixed`);
  assert.equal(found.forms, '[object HTMLCollection]', `${where}: document.forms`);
  assert.deepEqual(found.shown, ['shape', 'solve', 'x'], `${where}: texts after a drawing or formula shown`);
}

describe('a teacher\'s ids in Chromium', () => {
  let browser;
  before(async () => { browser = await startBrowser(); });
  after(async () => { await browser.close(); });

  test('the table of property names holds every property of a document and a form', async () => {
    const page = await browser.newPage();
    await page.setContent('<!DOCTYPE html><title>t</title>');
    const missing = (await page.evaluate(propertyNames)).filter((n) => !table.includes(n));
    assert.deepEqual(missing, [], 'Chromium properties missing from PagePropertyNames.inc');
    await page.close();
  });

  for (const [mode, { box, feedback }] of Object.entries(pages)) {
    test(`${mode}: the teacher's script and style find the hint; clashing ids are prefixed; answers check`, async () => {
      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exportQuiz({ mode, quiz: quizFile(), switches: { chkShuffleQs: 0 } }).url);
      const code = mode === 'frames' ? page.frame({ name: 'CodeFrame' }) : page.mainFrame();
      await code.waitForLoadState('load');
      expectIds(await code.evaluate(idsInPage), mode, false);
      await code.getByRole('button', { name: 'Show hint' }).first().click();
      expectIds(await code.evaluate(idsInPage), mode, true);
      await screenshot(page, `ids-${mode}-1280.png`);
      await page.setViewportSize({ width: 360, height: 740 });
      await screenshot(page, `ids-${mode}-360.png`);
      await code.fill(box, 'Paris');
      await code.press(box, 'Enter');
      await code.waitForFunction((s) => document.querySelector(s).textContent !== '', feedback);
      assert.match(await code.locator(feedback).textContent(), /^Correct!/, mode);
      assert.deepEqual(problems, [], `${mode}: console`);
      await page.close();
    });
  }
});

describe('a teacher\'s ids in Firefox ESR', { skip: firefoxMissing, timeout: 90000 }, () => {
  test('the table, the hint and the clashing ids', async (t) => {
    const browser = await startFirefox(t);
    if (!browser) return;
    try {
      const blank = await browser.newPage();
      await blank.setContent('<!DOCTYPE html><title>t</title>');
      const firefox = await blank.evaluate(propertyNames);
      assert.deepEqual(firefox.filter((n) => !table.includes(n)), [], 'Firefox properties missing from PagePropertyNames.inc');
      // With both browsers' names at hand, the table holds no name neither has.
      const chromium = await startBrowser();
      const page = await chromium.newPage();
      await page.setContent('<!DOCTYPE html><title>t</title>');
      const both = new Set([...firefox, ...await page.evaluate(propertyNames)]);
      await chromium.close();
      assert.deepEqual(table.filter((n) => !both.has(n)), [], 'names in PagePropertyNames.inc that no browser has');
      assert.deepEqual(table, [...table].sort(), 'PagePropertyNames.inc sorted');
      await blank.close();

      for (const [mode, { box, feedback }] of Object.entries(pages)) {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(collectErrors);
        await page.goto(exportQuiz({ mode, quiz: quizFile(), switches: { chkShuffleQs: 0 } }).url);
        const code = mode === 'frames' ? await firefoxFrame(page, /c\.htm/) : page.mainFrame();
        expectIds(await code.evaluate(idsInPage), `Firefox ${mode}`, false);
        await code.click('button[onclick*="hint1"]');
        expectIds(await code.evaluate(idsInPage), `Firefox ${mode}`, true);
        await code.type(box, 'Paris');
        await code.focus(box);
        await page.keyboard.press('Enter');
        await code.waitForFunction((s) => document.querySelector(s).textContent !== '', {}, feedback);
        assert.match(await code.$eval(feedback, (e) => e.textContent), /^Correct!/, `Firefox ${mode}`);
        for (const f of page.frames()) {
          assert.deepEqual(await f.evaluate(() => window.tavrelErrors || []), [], `Firefox ${mode}: ${f.url()}`);
        }
        await page.close();
      }
    } finally {
      await browser.close();
    }
  });
});
